#include "framework/Application.h"
#include "framework/NumberFormat.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ReadLocaleSettings();
    QLabel placeholder(QString::fromStdString(Application->Title.str()));
    placeholder.show();
    return app.exec();
}
