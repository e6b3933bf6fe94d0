#pragma once

#include <QImage>

#include <string_view>

// The pixels of a JPEG file's bytes, decoded with libjpeg. A damaged, truncated or unsupported
// file, or one too large to hold, gives a null image: libjpeg's own error handling would end the
// process, so its errors and warnings are caught here.
QImage DecodeJPEG(std::string_view bytes);
