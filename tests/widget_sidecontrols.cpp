// The search box, the pause, the display options and "Sommaire", through real
// clicks and keys.

#include "screens/launcher.h"
#include "support/controls.h"
#include "support/launchersupport.h"
#include "support/screenfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace tirages;
using namespace tirages::training;
using namespace tirages::test;

namespace {

// Thirty entries with six-letter draws "DRAW00" ... and solutions "SOL00" ...
QStringList thirty() {
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines << QStringLiteral("DRAW%1;SOL%1").arg(i, 2, 10, QLatin1Char('0'));
    return lines;
}

void validate(screens::TrainingScreen& form, const char* typed) {
    QTest::mouseClick(ui(form).recherche, Qt::LeftButton);
    QTest::keyClicks(ui(form).recherche, typed);
    QTest::mouseClick(ui(form).valider, Qt::LeftButton);
}

} // namespace

class TestSideControls : public QObject {
    Q_OBJECT

private slots:
    void searchBoxValidatesIntoTheCurrentBox() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        QTest::mouseClick(ui(form).solution[29], Qt::LeftButton);
        QTest::mouseClick(ui(form).recherche, Qt::LeftButton);
        QCOMPARE(f.colourOf(ui(form).solution[29]), kLightYellow);
        QCOMPARE(f.colourOf(ui(form).tirage[29]), kLightCyan);
        QTest::keyClicks(ui(form).recherche, "sol05");
        QCOMPARE(ui(form).recherche->text(), QStringLiteral("SOL05"));
        QTest::mouseClick(ui(form).valider, Qt::LeftButton);
        QCOMPARE(ui(form).solution[29]->text(), QStringLiteral("SOL05"));
        QVERIFY(ui(form).recherche->text().isEmpty());
        QCOMPARE(f.focused(), ui(form).solution[0]);

        // Empty: the box is emptied and the focus moves on.
        QTest::mouseClick(ui(form).solution[29], Qt::LeftButton);
        QTest::mouseClick(ui(form).valider, Qt::LeftButton);
        QVERIFY(ui(form).solution[29]->text().isEmpty());
        QCOMPARE(f.focused(), ui(form).solution[0]);

        // Too long: cut back to the draw's six letters, one beep a letter.
        validate(form, "abcdefghi");
        QCOMPARE(ui(form).solution[0]->text(), QStringLiteral("ABCDEF"));
        QCOMPARE(f.beeps, 3);
        QCOMPARE(f.focused(), ui(form).solution[1]);
    }

    void enterValidatesOnlyAfterAClickIntoTheSearchBox() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        QTest::mouseClick(ui(form).solution[4], Qt::LeftButton);
        QTest::mouseClick(ui(form).recherche, Qt::LeftButton);
        QTest::keyClicks(ui(form).recherche, "sol01");
        QTest::keyClick(ui(form).recherche, Qt::Key_Return);
        QCOMPARE(ui(form).solution[4]->text(), QStringLiteral("SOL01"));
        QCOMPARE(f.focused(), ui(form).solution[5]);

        // Reached by Shift+Tab: Enter is the next-box move and validates nothing.
        for (int i = 0; i < 40 && f.focused() != ui(form).recherche; ++i)
            QTest::keyClick(f.focused(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(f.focused(), ui(form).recherche);
        const int current = form.training().state().currentSlot;
        QTest::keyClicks(ui(form).recherche, "sol02");
        QTest::keyClick(ui(form).recherche, Qt::Key_Return);
        QCOMPARE(ui(form).recherche->text(), QStringLiteral("SOL02"));
        QCOMPARE(f.focused(), ui(form).solution[current + 1]);
        QVERIFY(ui(form).solution[current]->text().isEmpty());
    }

    void pauseHoldsTheClocksAndLocksTheAnswers() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        for (int i = 0; i < 3; ++i) {
            form.countdownTick();
            form.totalTick();
        }
        QTest::mouseClick(ui(form).Command5, Qt::LeftButton);
        QCOMPARE(ui(form).Command5->text(), QStringLiteral("Reprendre"));
        QVERIFY(!ui(form).Timer1->isActive() && !ui(form).Timer2->isActive());
        QVERIFY(!ui(form).recherche->isEnabled());

        QTest::mouseClick(ui(form).solution[2], Qt::LeftButton);
        QCOMPARE(f.focused(), ui(form).solution[2]);
        QTest::keyClicks(ui(form).solution[2], "sol");
        QVERIFY(ui(form).solution[2]->text().isEmpty());
        QCOMPARE(f.beeps, 0);
        QTest::keyClick(ui(form).solution[2], Qt::Key_Down);
        QCOMPARE(f.focused(), ui(form).solution[3]);

        QTest::mouseClick(ui(form).Command5, Qt::LeftButton);
        QCOMPARE(ui(form).Command5->text(), QStringLiteral("Pause"));
        QVERIFY(ui(form).Timer1->isActive() && ui(form).Timer2->isActive());
        form.countdownTick();
        form.totalTick();
        QCOMPARE(ui(form).temps->text(), QStringLiteral("3:56"));
        QCOMPARE(ui(form).tempstot->text(), QStringLiteral("0:00:04"));
        QTest::keyClicks(ui(form).solution[3], "sol");
        QCOMPARE(ui(form).solution[3]->text(), QStringLiteral("SOL"));
    }

    void f12StillCorrectsDuringAPause() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        QTest::mouseClick(ui(form).Command5, Qt::LeftButton);
        QTest::keyClick(ui(form).solution[0], Qt::Key_F12);
        QVERIFY(!ui(form).corriger->isEnabled());
        QTest::mouseClick(ui(form).Command5, Qt::LeftButton);
        QVERIFY(!ui(form).Timer1->isActive());
        QVERIFY(ui(form).Timer2->isActive());
    }

    void resumingAfterBravoRestartsTheTotalClock() {
        ScreenFixture f({"AB;AB"});
        auto& form = *f.form;
        QTest::keyClicks(ui(form).solution[0], "ab");
        QTest::keyClick(ui(form).solution[0], Qt::Key_F12);
        QVERIFY(!ui(form).Timer2->isActive());
        QTest::mouseClick(ui(form).Command5, Qt::LeftButton);
        QTest::mouseClick(ui(form).Command5, Qt::LeftButton);
        QVERIFY(ui(form).Timer2->isActive());
        QVERIFY(!ui(form).Timer1->isActive());
    }

    void fontButtonStepsThroughSevenFonts() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        const QString initial = ui(form).solution[0]->font().family();
        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(ui(form).Command3, Qt::LeftButton);
        QCOMPARE(ui(form).tirage[0]->font().family(), QStringLiteral("Arial"));
        QCOMPARE(ui(form).solution[0]->font().family(), initial);
        QCOMPARE(ui(form).police->text(), QStringLiteral("6"));
        QTest::mouseClick(ui(form).Command3, Qt::LeftButton);
        QCOMPARE(ui(form).tirage[29]->font().family(), QStringLiteral("Abadi MT Condensed Light"));
        QCOMPARE(ui(form).solution[29]->font().family(),
                 QStringLiteral("Abadi MT Condensed Light"));
        QCOMPARE(ui(form).police->text(), QStringLiteral("7"));
        QTest::mouseClick(ui(form).Command3, Qt::LeftButton);
        QCOMPARE(ui(form).tirage[0]->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(ui(form).solution[0]->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(ui(form).police->text(), QStringLiteral("1"));
        QVERIFY(!ui(form).tirage[0]->font().italic());
        QCOMPARE(ui(form).tirage[0]->font().pointSize(), 8);
        QCOMPARE(ui(form).recherche->font().family(), initial);
    }

    void checkBoxHidesTheClocksWithoutStoppingThem() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        QTest::mouseClick(ui(form).Check1, Qt::LeftButton);
        for (QWidget* hidden : std::initializer_list<QWidget*>{ui(form).temps, ui(form).tempstot,
                                                               ui(form).Label1, ui(form).Label2})
            QVERIFY(!hidden->isVisible());
        QVERIFY(ui(form).Label3->isVisible());
        QVERIFY(ui(form).Timer1->isActive());
        form.countdownTick();
        QTest::mouseClick(ui(form).Check1, Qt::LeftButton);
        QVERIFY(ui(form).temps->isVisible() && ui(form).Label2->isVisible());
        QCOMPARE(ui(form).temps->text(), QStringLiteral("3:59"));
    }
};

// "Sommaire" needs the launcher.
class TestSommaire : public QObject {
    Q_OBJECT

    WorkingFolder m_folder;
    std::unique_ptr<screens::Launcher> m_launcher;

    // The screen's clocks move only by the ticks the tests call, however slow
    // the machine: their timers run, and never fire.
    screens::TrainingScreen& start(const QString& list) {
        ui(m_launcher).fichier->setEditText(list);
        QTest::mouseClick(ui(m_launcher).Command1, Qt::LeftButton);
        screens::TrainingScreen& form = *m_launcher->trainingScreen();
        for (QTimer* timer : {ui(form).Timer1, ui(form).Timer2, ui(form).Timer3})
            timer->setInterval(std::numeric_limits<int>::max());
        return form;
    }

private slots:
    void init() {
        m_folder.write("data/5l_tir.txt", "ABERR;ARBRE\r\nABELT;TABLE\r\nACHT;CHAT\r\n");
        m_folder.write("one.txt", "AB;AB\r\n");
        m_launcher = std::make_unique<test::TestLauncher>();
        m_launcher->show();
    }
    void cleanup() { m_launcher.reset(); }

    void sommaireMidSeriesLeavesTheCountdownRunning() {
        screens::TrainingScreen& form = start("5 lettres");
        for (int i = 0; i < 30; ++i)
            form.countdownTick();
        QTest::mouseClick(ui(form).quitter, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QVERIFY(m_launcher->isVisible());
        QCOMPARE(ui(m_launcher).fichier->currentText(), QStringLiteral("5 lettres"));
        QCOMPARE(ui(form).nbseries->text(), QStringLiteral("0 série déjà réalisée."));
        QVERIFY(ui(form).Timer1->isActive() && ui(form).Timer2->isActive());
        // Four minutes later, on the hidden screen, the series is corrected.
        for (int i = 0; i < 240; ++i)
            form.countdownTick();
        QVERIFY(!ui(form).corriger->isEnabled());
        QCOMPARE(ui(form).tps->text(), QStringLiteral("4:00"));
        QCOMPARE(ui(form).nbseries->text(), QStringLiteral("1 série(s) déjà réalisée(s)."));
    }

    void sommaireAfterBravoBringsTheTilesBack() {
        screens::TrainingScreen& form = start("one.txt");
        QTest::keyClicks(ui(form).solution[0], "ab");
        QTest::keyClick(ui(form).solution[0], Qt::Key_F12);
        QCOMPARE(test::background(ui(form).Command1[0]), kLightRed);
        QTest::mouseClick(ui(form).quitter, Qt::LeftButton);
        for (const auto* tile : ui(form).Command1)
            QCOMPARE(test::background(tile), kLightBlue);
        QCOMPARE(ui(form).nbseries->text(), QStringLiteral("0 série déjà réalisée."));
        QVERIFY(m_launcher->isVisible());
    }

    void aSecondLancerKeepsFontsCurrentSlotAndPause() {
        screens::TrainingScreen& form = start("5 lettres");
        QTest::mouseClick(ui(form).Command3, Qt::LeftButton);
        QTest::mouseClick(ui(form).Command3, Qt::LeftButton);
        QTest::mouseClick(ui(form).solution[7], Qt::LeftButton);
        QTest::mouseClick(ui(form).Command5, Qt::LeftButton);
        QTest::mouseClick(ui(form).quitter, Qt::LeftButton);

        screens::TrainingScreen& again = start("5 lettres");
        QCOMPARE(&again, &form);
        QCOMPARE(ui(form).police->text(), QStringLiteral("3"));
        QCOMPARE(ui(form).tirage[0]->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(ui(form).Command5->text(), QStringLiteral("Reprendre"));
        QVERIFY(ui(form).solution[0]->isReadOnly());
        QCOMPARE(form.training().state().seriesCount, 0);
        // The set-up moves the focus to the first box, which sets the current slot.
        QCOMPARE(form.training().state().currentSlot, 0);
    }

    void closingTheTrainingScreenIsSommaire() {
        screens::TrainingScreen& form = start("5 lettres");
        form.totalTick();
        form.close();
        QVERIFY(!form.isVisible());
        QVERIFY(m_launcher->isVisible());
        QCOMPARE(form.training().state().totalSeconds, 0);
        QVERIFY(ui(form).Timer2->isActive());
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TestSideControls side;
    TestSommaire sommaire;
    return QTest::qExec(&side, argc, argv) | QTest::qExec(&sommaire, argc, argv);
}
#include "widget_sidecontrols.moc"
