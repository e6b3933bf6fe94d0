#include "framework/Dialogs.h"

#include "framework/Application.h"
#include "framework/DragDrop.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/Printer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDrag>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPixmap>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QTextLayout>
#include <QUrl>

#include <algorithm>

namespace {

QMessageBox::Icon IconOf(int flags) {
    switch (flags & 0xF0) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ButtonsOf(int flags) {
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNOCANCEL:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

QString QStringOf(const AnsiString& text) {
    return QString::fromStdString(text.str());
}

// "Text (*.x)|*.x|All files (*.*)|*.*" as Qt's filters: "Text (*.x)", "All files (*)".
QStringList NameFiltersOf(const AnsiString& filter) {
    const QStringList parts = QStringOf(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i];
        if (const int open = text.lastIndexOf(" ("); open >= 0 && text.endsWith(')'))
            text.truncate(open);
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        patterns.replace("*.*", "*");
        filters << text + " (" + patterns + ")";
    }
    return filters;
}

} // namespace

AnsiString SaveExtension(const AnsiString& filter, int filterIndex, const AnsiString& defaultExt) {
    const QStringList parts = QStringOf(filter).split('|');
    const qsizetype patterns = 2 * static_cast<qsizetype>(filterIndex) - 1;
    if (filterIndex < 1 || patterns >= parts.size())
        return defaultExt;
    for (const QString& pattern : parts[patterns].split(';')) {
        const QString extension = pattern.trimmed().mid(2);
        if (pattern.trimmed().startsWith("*.") && !extension.isEmpty() && !extension.contains('*') &&
            !extension.contains('?'))
            return extension.toStdString();
    }
    return defaultExt;
}

// The text broken into lines no wider than width pixels in font: at blanks where it can, else
// anywhere, as a line of a file's bytes has no blanks.
QString FittedLines(const QString& text, const QFont& font, int width) {
    QStringList fitted;
    for (const QString& line : text.split('\n')) {
        if (line.isEmpty()) {
            fitted << line;
            continue;
        }
        QTextLayout layout(line, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine part = layout.createLine(); part.isValid(); part = layout.createLine()) {
            part.setLineWidth(width);
            // The blank a line was broken at goes with the break.
            QString shown = line.mid(part.textStart(), part.textLength());
            while (shown.endsWith(' '))
                shown.chop(1);
            fitted << shown;
        }
        layout.endLayout();
    }
    return fitted.join('\n');
}

// The widest line a message box shows beside its icon: narrower than the width Qt's message box
// keeps to before it wraps words itself, which cannot break a line without blanks.
int MessageLineWidth(const QWidget& box) {
    const QScreen* screen = box.screen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    return std::min(screenWidth / 2, 500) - 120;
}

// The program's answers: Qt's dialogs, over the window the user is working in.
class QtDialogResponder : public DialogResponder {
public:
    int MessageBox(const MessageRequest& request) override {
        QMessageBox box(IconOf(request.Flags), QStringOf(request.Caption), QString(),
                        ButtonsOf(request.Flags), QApplication::activeWindow());
        // A message is text, whatever marks it holds.
        box.setTextFormat(Qt::PlainText);
        const auto* label = box.findChild<const QLabel*>("qt_msgbox_label");
        box.setText(
            FittedLines(QStringOf(request.Text), label ? label->font() : box.font(), MessageLineWidth(box)));
        switch (box.exec()) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            return IDOK;
        }
    }

    int ShowModal(TForm& form) override { return form.RunModalLoop(); }

    bool ChooseFile(FileRequest& request) override {
        QFileDialog dialog(QApplication::activeWindow(), QStringOf(request.Title),
                           QStringOf(request.InitialDir));
        dialog.setAcceptMode(request.Saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(request.Saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.OverwritePrompt);
        const QStringList filters = NameFiltersOf(request.Filter);
        dialog.setNameFilters(filters);
        if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
            dialog.selectNameFilter(filters[request.FilterIndex - 1]);
        // The dialog adds the extension itself, so that it asks before replacing the file so named.
        const auto takeExtension = [&](const QString& chosen) {
            if (request.Saving)
                dialog.setDefaultSuffix(QStringOf(SaveExtension(
                    request.Filter, static_cast<int>(filters.indexOf(chosen)) + 1, request.DefaultExt)));
        };
        takeExtension(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, takeExtension);
        // A name relative to the working folder opens the dialog in the folder it names.
        if (!request.FileName.IsEmpty())
            dialog.selectFile(QFileInfo(QStringOf(request.FileName)).absoluteFilePath());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        request.FileName = dialog.selectedFiles().first().toStdString();
        request.FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
        return true;
    }

    bool ChooseFont(TFont& font) override {
        bool chosen = false;
        const QFont picked = QFontDialog::getFont(&chosen, font.ToQFont(), QApplication::activeWindow());
        if (!chosen)
            return false;
        unsigned style = 0;
        const std::pair<bool, TFontStyle> styles[] = {{picked.bold(), fsBold},
                                                      {picked.italic(), fsItalic},
                                                      {picked.underline(), fsUnderline},
                                                      {picked.strikeOut(), fsStrikeOut}};
        for (const auto& [on, bit] : styles)
            if (on)
                style |= bit;
        font.Name = picked.family().toStdString();
        font.Size = picked.pointSize();
        font.SetStyle(style);
        return true;
    }

    // Qt's print dialog, which only chooses here: the jobs come later, each asking for its file.
    bool SetUpPrinter() override {
        QPrintDialog dialog(&Printer()->Device(), QApplication::activeWindow());
        dialog.setWindowTitle("Printer Setup");
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* accept = buttons->button(QDialogButtonBox::Ok))
                accept->setText("OK");
        return dialog.exec() == QDialog::Accepted;
    }

    bool OpenDocument(const AnsiString& target) override {
        const QString text = QStringOf(target);
        const bool address = text.contains("://") || text.startsWith("mailto:", Qt::CaseInsensitive);
        return QDesktopServices::openUrl(address ? QUrl(text) : QUrl::fromLocalFile(text));
    }

    int DoDragDrop(QObject& source, std::unique_ptr<QMimeData> data, int allowedEffects,
                   const QPixmap& label) override {
        // A child of the source, freed with it at the latest.
        auto* drag = new QDrag(&source);
        drag->setMimeData(data.release());
        if (!label.isNull()) {
            drag->setPixmap(label);
            drag->setHotSpot(QPoint(0, label.height()));
        }
        Qt::DropActions actions;
        if (allowedEffects & DROPEFFECT_COPY)
            actions |= Qt::CopyAction;
        if (allowedEffects & DROPEFFECT_MOVE)
            actions |= Qt::MoveAction;
        const Qt::DropAction done = drag->exec(actions);
        return done == Qt::CopyAction   ? DROPEFFECT_COPY
               : done == Qt::MoveAction ? DROPEFFECT_MOVE
                                        : DROPEFFECT_NONE;
    }

    // The chosen item runs as the menu closes, through its action.
    void TrackPopupMenu(TPopupMenu& menu, int x, int y) override { menu.Menu()->exec(QPoint(x, y)); }
};

namespace {
DialogResponder* installed = nullptr;
} // namespace

int DialogResponder::DoDragDrop(QObject&, std::unique_ptr<QMimeData>, int, const QPixmap&) {
    return DROPEFFECT_NONE;
}

void SetDialogResponder(DialogResponder* responder) {
    installed = responder;
}

DialogResponder& CurrentDialogResponder() {
    static QtDialogResponder qtResponder;
    return installed ? *installed : qtResponder;
}

void ShowMessage(const AnsiString& text) {
    CurrentDialogResponder().MessageBox({text, Application->Title, MB_OK});
}
