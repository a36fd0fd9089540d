// Helpers of the dialog tests: a QApplication on the offscreen platform,
// answers given to modal dialogs as they open, file dialogs that answer
// from the test.
#pragma once

#include "widgets/file_dialogs.h"

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace r7t::ui::testing {

// Polls the event loop for the open modal widget and runs matchAndRun on it
// until it returns true.
void whenModalImpl(std::function<bool(QWidget*)> matchAndRun);

// Runs the action on the next modal widget of type T that opens, once. Call
// before the code that opens it.
template <typename T = QWidget>
void whenModal(std::function<void(T*)> action)
{
    whenModalImpl([action](QWidget* w) {
        T* typed = qobject_cast<T*>(w);
        if (!typed)
            return false;
        action(typed);
        return true;
    });
}

// Stops every pending whenModal answer (end of a test).
void clearModalAnswers();

// Answers the next popup menu: records its item texts in offered (when
// given) and chooses the item with that text; none chosen when absent.
void choosePopupItem(const QString& text, QStringList* offered = nullptr);

// Clicks the control with that id (object name "id<n>").
void clickControl(QWidget* parent, int id);
// Types into the edit with that id, replacing its text.
void typeInto(QWidget* parent, int id, const QString& text);
// Types the text key by key into the widget, accents included (QTest's
// key clicks take ASCII only), as a keyboard would: validators apply.
void typeKeys(QWidget* widget, const QString& text);

// File dialogs answered by the test: the next paths to return (an empty
// string is a cancel), and what was asked.
class ScriptedFiles : public FileChooser {
public:
    QStringList saveAnswers;
    QStringList openAnswers;
    QStringList titles;
    QStringList proposedNames;
    int filter = kContestFilter;  // the filter in force
    QList<int> filtersShown;      // the filter of each dialog shown
    QStringList suffixes;         // the default extension of each dialog shown

    QString chooseSaveFile(QWidget*, const QString& title, const QString& proposedName) override;
    QString chooseOpenFile(QWidget*, const QString& title) override;
    void setFilter(int filterString, const QString& defaultSuffix) override;

private:
    void shown();
    QString suffix_ = QStringLiteral("r7s");
};

} // namespace r7t::ui::testing
