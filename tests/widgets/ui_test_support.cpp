#include "ui_test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace r7t::ui::testing {

namespace {

QList<QPointer<QTimer>>& pending()
{
    static QList<QPointer<QTimer>> timers;
    return timers;
}

} // namespace

void whenModalImpl(std::function<bool(QWidget*)> matchAndRun)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    pending().append(timer);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, matchAndRun] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        // Stop first: the action may open a nested dialog and spin its loop.
        timer->stop();
        if (matchAndRun(modal))
            timer->deleteLater();
        else
            timer->start();
    });
    timer->start();
}

void clearModalAnswers()
{
    for (const QPointer<QTimer>& t : pending())
        if (t)
            t->deleteLater();
    pending().clear();
}

void choosePopupItem(const QString& text, QStringList* offered)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    pending().append(timer);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, text, offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (offered && !action->isSeparator())
                *offered << action->text();
            if (action->text() == text)
                chosen = action;
        }
        if (!chosen) {
            menu->close();
            return;
        }
        menu->setActiveAction(chosen);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    timer->start();
}

void clickControl(QWidget* parent, int id)
{
    auto* button = parent->findChild<QPushButton*>(QStringLiteral("id%1").arg(id));
    if (!button)
        throw std::runtime_error("no button id" + std::to_string(id));
    button->click();
}

void typeKeys(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void typeInto(QWidget* parent, int id, const QString& text)
{
    auto* edit = parent->findChild<QLineEdit*>(QStringLiteral("id%1").arg(id));
    if (!edit)
        throw std::runtime_error("no edit id" + std::to_string(id));
    edit->setText(text);
}

void ScriptedFiles::setFilter(int filterString, const QString& defaultSuffix)
{
    filter = filterString;
    suffix_ = defaultSuffix;
}

void ScriptedFiles::shown()
{
    filtersShown << filter;
    suffixes << suffix_;
}

QString ScriptedFiles::chooseSaveFile(QWidget*, const QString& title, const QString& proposedName)
{
    shown();
    titles << title;
    proposedNames << proposedName;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

QString ScriptedFiles::chooseOpenFile(QWidget*, const QString& title)
{
    shown();
    titles << title;
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

} // namespace r7t::ui::testing
