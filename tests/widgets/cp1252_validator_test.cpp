#include "text/text.h"
#include "widgets/cp1252_validator.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;

namespace {

QString tipFor(const char* character)
{
    return QString::fromUtf8("Le caractère « ") + QString::fromUtf8(character) +
           QString::fromUtf8(" » ne peut pas être enregistré dans le fichier du concours.");
}

QValidator::State validated(const Cp1252Validator& validator, const char* utf8)
{
    QString text = QString::fromUtf8(utf8);
    int pos = static_cast<int>(text.size());
    return validator.validate(text, pos);
}

} // namespace

TEST(Cp1252Validator, AcceptsWhatTheFileHoldsAndNamesTheFirstCharacterItCannot)
{
    QLineEdit field;
    Cp1252Validator* validator = refuseUnstorableCharacters(&field);
    EXPECT_EQ(field.validator(), validator);

    EXPECT_EQ(validated(*validator, "Aérodrome « été » 20 € œuvre"), QValidator::Acceptable);
    EXPECT_EQ(validated(*validator, ""), QValidator::Acceptable);
    EXPECT_TRUE(validator->lastRefusal().isEmpty());

    EXPECT_EQ(validated(*validator, "Łódź"), QValidator::Invalid);
    EXPECT_EQ(validator->lastRefusal(), tipFor("Ł"));
    EXPECT_EQ(validated(*validator, "Erdős"), QValidator::Invalid);
    EXPECT_EQ(validator->lastRefusal(), tipFor("ő"));
    EXPECT_EQ(validated(*validator, "vol 🛩"), QValidator::Invalid);
    EXPECT_EQ(validator->lastRefusal(), tipFor("🛩"));
}

TEST(Cp1252Validator, TypedOrPastedCharactersTheFileCannotHoldNeverReachTheField)
{
    QLineEdit field;
    refuseUnstorableCharacters(&field);
    field.show();
    typeKeys(&field, QString::fromUtf8("Łó"));
    EXPECT_EQ(field.text(), QString::fromUtf8("ó"));
    EXPECT_EQ(QToolTip::text(), tipFor("Ł"));
    typeKeys(&field, QString::fromUtf8("dź é"));
    EXPECT_EQ(field.text(), QString::fromUtf8("ód é"));
    EXPECT_EQ(QToolTip::text(), tipFor("ź"));

    // A character beyond U+FFFF arrives one half at a time: neither half stays.
    typeKeys(&field, QString::fromUtf8("🛩"));
    EXPECT_EQ(field.text(), QString::fromUtf8("ód é"));

    // A paste holding one such character is refused whole.
    QApplication::clipboard()->setText(QString::fromUtf8(" Łukasz"));
    field.paste();
    EXPECT_EQ(field.text(), QString::fromUtf8("ód é"));
    QApplication::clipboard()->setText(QString::fromUtf8(" Zoé €"));
    field.paste();
    EXPECT_EQ(field.text(), QString::fromUtf8("ód é Zoé €"));

    // What is shown is what is saved.
    const std::string shown = field.text().toStdString();
    EXPECT_EQ(cp1252ToUtf8(utf8ToCp1252(shown)), shown);
}
