#include "competitors/ui/import_dialog.h"
#include "contest/contest_file.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"
#include "text/text.h"
#include "widgets/contest_window.h"
#include "widgets/dialog_units.h"
#include "widgets/message_dialog.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;
using fixtures::TempDir;

namespace {

const std::string kHeader = "N°\tNom\tFréq1\tFréq2\tLicence\tClub\tN° club\tPays\tRemarque\n";

std::string line(const std::string& number, const std::string& name, const std::string& f1,
                 const std::string& f2 = "")
{
    return number + "\t" + name + "\t" + f1 + "\t" + f2 + "\tL" + number + "\tClub\t3\tFrance\t\n";
}

// An open contest with competitor 1 and a tow pilot, saved in its file.
struct Importing {
    TempDir dir;
    Contest contest;
    ScriptedFiles files;
    int redraws = 0;

    Importing()
    {
        installContestHandlers(contest);
        fixtures::addPilot(contest, 1, {.name = "DUPONT Jean", .frequency1 = 35010});
        fixtures::addPilot(contest, 101, {.name = "REMORQUEUR", .frequency1 = 72210});
        fixtures::saveContestFile(contest, dir.file("concours.r7s"));
        setCountersRedraw([this] { ++redraws; });
    }
    ~Importing()
    {
        clearModalAnswers();
        setCountersRedraw({});
    }

    // The import file, Windows-1252 as the director's spreadsheet writes it.
    QString importFile(const std::string& utf8Lines)
    {
        const std::string path = dir.file("inscrits.txt");
        fixtures::writeFile(path, utf8ToCp1252(kHeader + utf8Lines));
        return QString::fromStdString(path);
    }

    // The competitors the contest file holds now.
    std::vector<int32_t> savedCompetitors() const
    {
        Contest saved;
        saved.setPath(contest.filePath);
        if (RepriseFic(saved).status != LoadStatus::Loaded)
            return {-1};
        std::vector<int32_t> numbers;
        for (const Pilot& p : saved.pilots)
            if (p.isCompetitor())
                numbers.push_back(p.number);
        return numbers;
    }
};

QStringList listed(const ImportDialog& dialog)
{
    QStringList lines;
    const auto* list = control<QListWidget>(&dialog, 747);
    for (int row = 0; row < list->count(); ++row)
        lines << list->item(row)->text();
    return lines;
}

QString resultLine(const ImportDialog& dialog) { return control<QLabel>(&dialog, 741)->text(); }

} // namespace

TEST(ImportDialog, FaultyFileListsEveryFaultInOrderAndCreatesNothing)
{
    Importing i;
    const QString path = i.importFile(line("5", "", "35030") +                  // 2: no name
                                      "6\tMARTIN\t35050\t\tL6\tClub\t3\tFrance\n" + // 3: 7 tabs
                                      line("1", "BERNARD", "35070") +           // 4: number taken
                                      line("7", "PETIT", "2.4 GHz") +           // 5: frequency
                                      line("8", "ROBERT", "35090") +            // 6: good
                                      line("99", "", "12"));                    // 7: three faults
    const std::string before = fixtures::readFile(path.toStdString());

    ImportDialog dialog(i.contest, i.files);
    dialog.show();
    const QSize first = dialog.size();
    EXPECT_FALSE(dialog.errorListShown());
    typeInto(&dialog, 742, path);
    clickControl(&dialog, 744);

    EXPECT_EQ(listed(dialog), (QStringList{
                                  QString::fromUtf8("ligne 2 - Nom absent"),
                                  QString::fromUtf8("ligne 3 - Ligne incorrecte"),
                                  QString::fromUtf8("ligne 4 - Numéro doublé ou absent"),
                                  QString::fromUtf8("ligne 5 - Fréquence incorrecte"),
                                  QString::fromUtf8("ligne 7 - Nom absent"),
                                  QString::fromUtf8("ligne 7 - Numéro doublé ou absent"),
                                  QString::fromUtf8("ligne 7 - Fréquence incorrecte"),
                              }));
    EXPECT_EQ(resultLine(dialog), QString::fromUtf8("0  fiche(s) importée(s)  -  7  erreur(s)"));
    EXPECT_TRUE(dialog.errorListShown());
    EXPECT_GT(dialog.height(), first.height() + control<QListWidget>(&dialog, 747)->height() - 1);
    EXPECT_FALSE(control<QPushButton>(&dialog, 744)->isVisible()) << "one import per opening";
    EXPECT_EQ(i.contest.competitorCount(), 1);

    clickControl(&dialog, 745);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(i.savedCompetitors(), std::vector<int32_t>{1});
    EXPECT_EQ(fixtures::readFile(path.toStdString()), before);
}

TEST(ImportDialog, GoodFileIsImportedOnceAndSavedOnTermine)
{
    Importing i;
    const QString path = i.importFile(line("12", "MARTIN Étienne", "35,01", "2400") + line("3", "DURAND", "2400000"));
    bool importHidden = false, listHidden = false;
    QString result;
    whenModal<ImportDialog>([&](ImportDialog* d) {
        typeInto(d, 742, path);
        QTest::keyClick(control<QLineEdit>(d, 742), Qt::Key_Return); // "Importer" is the default
        importHidden = !control<QPushButton>(d, 744)->isVisible();
        listHidden = !d->errorListShown();
        result = resultLine(*d);
        clickControl(d, 745);
    });
    EXPECT_TRUE(runImportDialog(i.contest, i.files, nullptr));
    EXPECT_TRUE(importHidden);
    EXPECT_TRUE(listHidden);
    EXPECT_EQ(result, QString::fromUtf8("2  fiche(s) importée(s)  -  0  erreur(s)"));
    EXPECT_EQ(i.redraws, 1);
    EXPECT_EQ(i.savedCompetitors(), (std::vector<int32_t>{1, 12, 3}));
    EXPECT_EQ(i.contest.findPilot(12)->name.utf8(), "MARTIN Étienne");

    // The same file again: every number is taken, nothing is added.
    const std::string saved = fixtures::readFile(i.contest.filePath);
    ImportDialog again(i.contest, i.files);
    again.show();
    typeInto(&again, 742, path);
    clickControl(&again, 744);
    EXPECT_EQ(listed(again), (QStringList{QString::fromUtf8("ligne 2 - Numéro doublé ou absent"),
                                          QString::fromUtf8("ligne 3 - Numéro doublé ou absent")}));
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_EQ(again.result(), QDialog::Rejected);
    EXPECT_EQ(i.contest.competitorCount(), 3);
    EXPECT_EQ(fixtures::readFile(i.contest.filePath), saved) << "nothing imported, nothing written";
}

TEST(ImportDialog, EscapeAfterAnImportStillSaves)
{
    Importing i;
    const QString path = i.importFile(line("12", "MARTIN", "35010"));
    ImportDialog dialog(i.contest, i.files);
    dialog.show();
    typeInto(&dialog, 742, path);
    clickControl(&dialog, 744);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(i.savedCompetitors(), (std::vector<int32_t>{1, 12}));
}

TEST(ImportDialog, BrowseShowsTheImportFilterThenRestoresTheContestOne)
{
    Importing i;
    ImportDialog dialog(i.contest, i.files);
    typeInto(&dialog, 742, QStringLiteral("ancien.txt"));
    i.files.openAnswers << QStringLiteral("/tmp/inscrits.txt") << QString();
    clickControl(&dialog, 743);
    EXPECT_EQ(control<QLineEdit>(&dialog, 742)->text(), QStringLiteral("/tmp/inscrits.txt"));
    clickControl(&dialog, 743); // cancelled: the field stays cleared
    EXPECT_TRUE(control<QLineEdit>(&dialog, 742)->text().isEmpty());
    EXPECT_EQ(i.files.filtersShown, (QList<int>{745, 745}));
    EXPECT_EQ(i.files.suffixes, (QStringList{"txt", "txt"}));
    EXPECT_EQ(i.files.titles[0], QStringLiteral("CHOISIR UN FICHIER TEXTE"));
    i.files.chooseOpenFile(nullptr, QString()); // the next contest dialog
    EXPECT_EQ(i.files.filtersShown.last(), FileChooser::kContestFilter);
    EXPECT_EQ(i.files.suffixes.last(), QStringLiteral("r7s"));
}
