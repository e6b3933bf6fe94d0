#include "resources/ProgramResources.h"

#include <QPixmap>

QCursor LoadCursor(const AnsiString& name) {
    // The hot spots: the centre of the magnifier's glass, the pencil's tip.
    if (name == "MAGNIFY")
        return QCursor(QPixmap(":/pictures/Magnify.png"), 11, 11);
    if (name == "PENCIL")
        return QCursor(QPixmap(":/pictures/Pencil.png"), 1, 30);
    return QCursor(Qt::ArrowCursor);
}
