#pragma once

#include <QObject>
#include <QUrl>

#include <string>
#include <vector>

// Stands in for the system's "open" while it lives: the addresses the program asked to open.
class OpenedLinks : public QObject {
    Q_OBJECT
public:
    OpenedLinks();
    ~OpenedLinks() override;
    std::vector<std::string> links;

public slots:
    void Open(const QUrl& url);
};
