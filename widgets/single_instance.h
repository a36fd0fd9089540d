// One contest program per user session: a second start hands over to the
// running one, which comes to the front, and ends.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace r7t::ui {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The name of the local server; one per user.
    explicit SingleInstance(QString serverName = defaultServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the running instance (it now listens for
    // later starts); false when another one runs and was told to come to the
    // front.
    bool claim();

    static QString defaultServerName();

Q_SIGNALS:
    // A later start asked this instance to come to the front.
    void activationRequested();

private:
    bool tellRunningInstance();

    QString name_;
    QLocalServer* server_ = nullptr;
};

// Brings a window to the front: shown, restored if minimised, raised and
// activated; an open modal dialog comes with it.
void bringToFront(QWidget* window);

} // namespace r7t::ui
