// "CLASSETOUT": the overall ranking, over chosen rounds or final, with the
// discard count, the best speed, its print and its text export; and
// "DETAILCLASS", one competitor's rounds in it.
#pragma once

#include "contest/contest.h"
#include "print/ui/print_job.h"
#include "ranking/ranking.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace r7t::ui {

class FileChooser;

class OverallRankingDialog : public QDialog {
    Q_OBJECT
public:
    // The ranking is open (openFinalRanking or openChosenRanking).
    OverallRankingDialog(Contest& contest, OverallRanking ranking, FileChooser& files, PrintRunner print,
                         QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    const OverallRanking& ranking() const { return ranking_; }
    QLabel* bestSpeed() const { return bestSpeed_; }

    // "O.K.": the typed discard count applied, the list filled again.
    void applyDiscard();
    // A double click on a competitor line: his detail.
    void showSelectedDetail();
    // The "Imprimer" popup's "Imprimante", "Fichier texte" and "Page web...".
    void printRanking();
    void exportText();
    // "Page web...": the results page, then the offer to open it.
    void publishPage();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill();
    void showPrintMenu();
    // The save dialog with that filter, title and extension; empty when
    // cancelled.
    QString chooseFile(int filter, int title, const QString& suffix);
    void showWriteFailure(const QString& path, const std::string& error);

    Contest& contest_;
    OverallRanking ranking_;
    FileChooser& files_;
    PrintRunner print_;
    QListWidget* list_;
    QLineEdit* discard_;
    QLabel* bestSpeed_;
};

class CompetitorDetailDialog : public QDialog {
    Q_OBJECT
public:
    CompetitorDetailDialog(const Contest& contest, const OverallRanking& ranking, int32_t number,
                           QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    const QString& title() const { return title_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    QListWidget* list_;
};

// "&Intermédiaire" (after the round choice) and "&Final": the ranking over
// the parent until "Terminé"; nothing when the choice is abandoned or empty.
void runOverallRanking(Contest& contest, RankingMode mode, FileChooser& files, const PrintRunner& print,
                       QWidget* parent);

} // namespace r7t::ui
