#pragma once

// The program's own pictures, built into it; TPicture reads them by these names.
constexpr const char* BannerPicture = ":/pictures/Banner.jpg";
constexpr const char* IconPicture = ":/pictures/Drenvala.png";
constexpr const char* TypedSpinUpPicture = ":/pictures/TypedSpinUp.png";
constexpr const char* TypedSpinDownPicture = ":/pictures/TypedSpinDown.png";
