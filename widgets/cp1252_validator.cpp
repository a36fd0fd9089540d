#include "widgets/cp1252_validator.h"

#include "widgets/drawing_resources.h"

#include "string_table/formats.h"
#include "text/format.h"
#include "text/text.h"

#include <QLineEdit>
#include <QToolTip>

#include <algorithm>

namespace r7t::ui {

Cp1252Validator::Cp1252Validator(QLineEdit* field)
    : QValidator(field)
    , field_(field)
{
}

QValidator::State Cp1252Validator::validate(QString& input, int&) const
{
    std::optional<std::string> character = firstUnencodable(input.toStdString());
    // Half of a character beyond U+FFFF (typed one key event per half) is
    // nothing the file can hold either, whatever UTF-8 makes of it.
    if (!character && std::any_of(input.cbegin(), input.cend(), [](QChar c) { return c.isSurrogate(); }))
        character = "\uFFFD";
    if (!character)
        return Acceptable;
    lastRefusal_ = tableText(formatText(kUnstorableCharacter, *character));
    // Under the field, where the eyes are while typing.
    QToolTip::showText(field_->mapToGlobal(QPoint(0, field_->height())), lastRefusal_, field_);
    return Invalid;
}

Cp1252Validator* refuseUnstorableCharacters(QLineEdit* field)
{
    auto* validator = new Cp1252Validator(field);
    field->setValidator(validator);
    return validator;
}

QString fromFileText(std::string_view cp1252) { return QString::fromStdString(cp1252ToUtf8(cp1252)); }

std::string toFileText(const QString& text) { return utf8ToCp1252(text.toStdString()); }

} // namespace r7t::ui
