#include "framework/DateTimePicker.h"

#include "framework/ControlView.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>

#include <cmath>

namespace {

const QDate Epoch(1899, 12, 30);
constexpr double MillisecondsPerDay = 86400000.0;

QDateTime ToQDateTime(TDateTime value) {
    const double days = std::floor(value);
    const auto ms = static_cast<int>(std::llround((value - days) * MillisecondsPerDay)) % 86400000;
    return {Epoch.addDays(static_cast<qint64>(days)), QTime::fromMSecsSinceStartOfDay(ms)};
}

TDateTime FromQDateTime(const QDateTime& value) {
    return static_cast<double>(Epoch.daysTo(value.date())) +
           value.time().msecsSinceStartOfDay() / MillisecondsPerDay;
}

// The framework's date and time tokens as Qt's display format.
QString QtFormat(const AnsiString& format) {
    QString result;
    for (const char c : format.view()) {
        switch (c) {
        case 'm':
        case 'M':
            result += 'M';
            break;
        case 'n':
        case 'N':
            result += 'm';
            break;
        case 'h':
        case 'H':
            result += 'H';
            break;
        default:
            result += QChar(c);
        }
    }
    return result;
}

// Tells the picker when its calendar shows and hides.
class DropWatcher : public QObject {
public:
    DropWatcher(TDateTimePicker& picker, QObject* parent) : QObject(parent), picker(picker) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
            const bool dropped = event->type() == QEvent::Show;
            CallFromView(picker, [this, dropped] { picker.ViewDropped(dropped); });
        }
        return false;
    }

private:
    TDateTimePicker& picker;
};

} // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QDateTimeEdit>(*this);
    view->setFrame(false);
    QObject::connect(view, &QDateTimeEdit::dateTimeChanged, view, [this](const QDateTime& value) {
        CallFromView(*this, [this, value] { ViewChangedTo(FromQDateTime(value)); });
    });
    SetView(view);
    SetBounds(0, 0, 186, 21);
    SetColor(clWindow);
    TabStop = true;
    dateTime = std::floor(Now());
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    dateTime = value;
    ViewChanged();
}

TDateTime TDateTimePicker::GetDate() const {
    return std::floor(dateTime);
}

void TDateTimePicker::SetDate(TDateTime value) {
    SetDateTime(std::floor(value) + GetTime());
}

TDateTime TDateTimePicker::GetTime() const {
    return dateTime - std::floor(dateTime);
}

void TDateTimePicker::SetTime(TDateTime value) {
    SetDateTime(GetDate() + (value - std::floor(value)));
}

void TDateTimePicker::SetKind(TDateTimeKind value) {
    kind = value;
    ViewChanged();
}

void TDateTimePicker::SetDateMode(TDTDateMode value) {
    dateMode = value;
    ViewChanged();
}

void TDateTimePicker::ViewChangedTo(TDateTime value) {
    if (value == dateTime)
        return;
    dateTime = value;
    if (OnChange)
        OnChange(this);
}

void TDateTimePicker::ViewDropped(bool dropped) {
    if (droppedDown == dropped)
        return;
    droppedDown = dropped;
    const TNotifyEvent& event = dropped ? OnDropDown : OnCloseUp;
    if (event)
        event(this);
}

void TDateTimePicker::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QDateTimeEdit*>(View());
    const QSignalBlocker blocker(view);
    const bool calendar = kind == dtkDate && dateMode == dmComboBox;
    if (view->calendarPopup() != calendar) {
        view->setCalendarPopup(calendar);
        if (calendar)
            view->calendarWidget()->window()->installEventFilter(new DropWatcher(*this, view));
    }
    view->setDisplayFormat(QtFormat(kind == dtkDate ? ShortDateFormat : LongTimeFormat));
    view->setDateTime(ToQDateTime(dateTime));
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, ToQColor(GetColor()));
    view->setPalette(palette);
}
