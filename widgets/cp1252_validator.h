// The contest file holds its texts in Windows-1252: a field whose text ends
// in a file refuses, as it is typed or pasted, a character the file cannot
// hold, and says why at the field, so that what is shown is what is saved.
#pragma once

#include <QString>
#include <QValidator>

#include <string>
#include <string_view>

class QLineEdit;

namespace r7t::ui {

class Cp1252Validator : public QValidator {
    Q_OBJECT
public:
    // The tip is shown at the field; the validator belongs to it.
    explicit Cp1252Validator(QLineEdit* field);

    State validate(QString& input, int& pos) const override;

    // The tip of the last refused text; empty while nothing was refused.
    QString lastRefusal() const { return lastRefusal_; }

private:
    QLineEdit* field_;
    mutable QString lastRefusal_;
};

// A text of the contest file (Windows-1252) as shown, and back.
QString fromFileText(std::string_view cp1252);
std::string toFileText(const QString& text);

// Installs a Cp1252Validator on a field whose text is stored in a file.
Cp1252Validator* refuseUnstorableCharacters(QLineEdit* field);

} // namespace r7t::ui
