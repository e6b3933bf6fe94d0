#include "framework/StatusBar.h"

#include "framework/ControlView.h"

#include <QLabel>
#include <QStatusBar>

void TStatusPanel::SetText(const AnsiString& value) {
    text = value;
    bar.ViewChanged();
}

void TStatusPanel::SetWidth(int value) {
    width = value;
    bar.ViewChanged();
}

TStatusPanel* TStatusPanels::Add() {
    panels.push_back(std::make_unique<TStatusPanel>(bar));
    bar.ViewChanged();
    return panels.back().get();
}

void TStatusPanels::Clear() {
    panels.clear();
    bar.ViewChanged();
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
    SetView(new ControlView<QStatusBar>(*this));
    SetBounds(0, 0, 185, 19);
    SetAlign(alBottom);
}

void TStatusBar::SetSimplePanel(bool value) {
    simplePanel = value;
    ViewChanged();
}

void TStatusBar::SetSimpleText(const AnsiString& value) {
    simpleText = value;
    ViewChanged();
}

void TStatusBar::SetSizeGrip(bool value) {
    sizeGrip = value;
    ViewChanged();
}

void TStatusBar::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QStatusBar*>(View());
    view->setSizeGripEnabled(sizeGrip);
    // The simple text's label, then one per panel; laid out again each time, as only the last
    // panel stretches.
    while (static_cast<int>(labels.size()) < panels.Count() + 1) {
        auto* label = new QLabel(view);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        labels.push_back(label);
    }
    if (laidOut != panels.Count()) {
        laidOut = panels.Count();
        for (QLabel* label : labels)
            view->removeWidget(label);
        view->addWidget(labels[0], 1);
        for (int i = 0; i < panels.Count(); ++i)
            view->addWidget(labels[static_cast<std::size_t>(i) + 1], i + 1 == panels.Count() ? 1 : 0);
    }
    labels[0]->setText(QString::fromStdString(simpleText.str()));
    labels[0]->setVisible(simplePanel);
    for (int i = 0; i < panels.Count(); ++i) {
        QLabel* label = labels[static_cast<std::size_t>(i) + 1];
        const TStatusPanel& panel = *panels.Items(i);
        label->setText(QString::fromStdString(panel.GetText().str()));
        label->setMinimumWidth(panel.GetWidth());
        label->setMaximumWidth(i + 1 == panels.Count() ? QWIDGETSIZE_MAX : panel.GetWidth());
        label->setVisible(!simplePanel);
    }
}
