// The search box, the pause, the display options and "Sommaire", through real
// clicks and keys.

#include "screens/form2.h"
#include "support/launchersupport.h"
#include "support/screenfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace tirages;
using namespace tirages::test;

namespace {

// Thirty entries with six-letter draws "DRAW00" ... and solutions "SOL00" ...
QStringList thirty() {
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines << QStringLiteral("DRAW%1;SOL%1").arg(i, 2, 10, QLatin1Char('0'));
    return lines;
}

void validate(screens::Form1& form, const char* typed) {
    QTest::mouseClick(form.recherche, Qt::LeftButton);
    QTest::keyClicks(form.recherche, typed);
    QTest::mouseClick(form.valider, Qt::LeftButton);
}

} // namespace

class TestSideControls : public QObject {
    Q_OBJECT

private slots:
    void searchBoxValidatesIntoTheCurrentBox() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        QTest::mouseClick(form.solution[29], Qt::LeftButton);
        QTest::mouseClick(form.recherche, Qt::LeftButton);
        QCOMPARE(f.colourOf(form.solution[29]), kLightYellow);
        QCOMPARE(f.colourOf(form.tirage[29]), kLightCyan);
        QTest::keyClicks(form.recherche, "sol05");
        QCOMPARE(form.recherche->text(), QStringLiteral("SOL05"));
        QTest::mouseClick(form.valider, Qt::LeftButton);
        QCOMPARE(form.solution[29]->text(), QStringLiteral("SOL05"));
        QVERIFY(form.recherche->text().isEmpty());
        QCOMPARE(f.focused(), form.solution[0]);

        // Empty: the box is emptied and the focus moves on.
        QTest::mouseClick(form.solution[29], Qt::LeftButton);
        QTest::mouseClick(form.valider, Qt::LeftButton);
        QVERIFY(form.solution[29]->text().isEmpty());
        QCOMPARE(f.focused(), form.solution[0]);

        // Too long: cut back to the draw's six letters, one beep a letter.
        validate(form, "abcdefghi");
        QCOMPARE(form.solution[0]->text(), QStringLiteral("ABCDEF"));
        QCOMPARE(f.beeps, 3);
        QCOMPARE(f.focused(), form.solution[1]);
    }

    void enterValidatesOnlyAfterAClickIntoTheSearchBox() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        QTest::mouseClick(form.solution[4], Qt::LeftButton);
        QTest::mouseClick(form.recherche, Qt::LeftButton);
        QTest::keyClicks(form.recherche, "sol01");
        QTest::keyClick(form.recherche, Qt::Key_Return);
        QCOMPARE(form.solution[4]->text(), QStringLiteral("SOL01"));
        QCOMPARE(f.focused(), form.solution[5]);

        // Reached by Shift+Tab: Enter is the next-box move and validates nothing.
        for (int i = 0; i < 40 && f.focused() != form.recherche; ++i)
            QTest::keyClick(f.focused(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(f.focused(), form.recherche);
        const int current = form.training().state().courant;
        QTest::keyClicks(form.recherche, "sol02");
        QTest::keyClick(form.recherche, Qt::Key_Return);
        QCOMPARE(form.recherche->text(), QStringLiteral("SOL02"));
        QCOMPARE(f.focused(), form.solution[current + 1]);
        QVERIFY(form.solution[current]->text().isEmpty());
    }

    void pauseHoldsTheClocksAndLocksTheAnswers() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        for (int i = 0; i < 3; ++i) {
            form.timer1Tick();
            form.timer2Tick();
        }
        QTest::mouseClick(form.Command5, Qt::LeftButton);
        QCOMPARE(form.Command5->text(), QStringLiteral("Reprendre"));
        QVERIFY(!form.Timer1->isActive() && !form.Timer2->isActive());
        QVERIFY(!form.recherche->isEnabled());

        QTest::mouseClick(form.solution[2], Qt::LeftButton);
        QCOMPARE(f.focused(), form.solution[2]);
        QTest::keyClicks(form.solution[2], "sol");
        QVERIFY(form.solution[2]->text().isEmpty());
        QCOMPARE(f.beeps, 0);
        QTest::keyClick(form.solution[2], Qt::Key_Down);
        QCOMPARE(f.focused(), form.solution[3]);

        QTest::mouseClick(form.Command5, Qt::LeftButton);
        QCOMPARE(form.Command5->text(), QStringLiteral("Pause"));
        QVERIFY(form.Timer1->isActive() && form.Timer2->isActive());
        form.timer1Tick();
        form.timer2Tick();
        QCOMPARE(form.temps->text(), QStringLiteral("3:56"));
        QCOMPARE(form.tempstot->text(), QStringLiteral("0:00:04"));
        QTest::keyClicks(form.solution[3], "sol");
        QCOMPARE(form.solution[3]->text(), QStringLiteral("SOL"));
    }

    void f12StillCorrectsDuringAPause() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        QTest::mouseClick(form.Command5, Qt::LeftButton);
        QTest::keyClick(form.solution[0], Qt::Key_F12);
        QVERIFY(!form.corriger->isEnabled());
        QTest::mouseClick(form.Command5, Qt::LeftButton);
        QVERIFY(!form.Timer1->isActive());
        QVERIFY(form.Timer2->isActive());
    }

    void resumingAfterBravoRestartsTheTotalClock() {
        ScreenFixture f({"AB;AB"});
        auto& form = *f.form;
        QTest::keyClicks(form.solution[0], "ab");
        QTest::keyClick(form.solution[0], Qt::Key_F12);
        QVERIFY(!form.Timer2->isActive());
        QTest::mouseClick(form.Command5, Qt::LeftButton);
        QTest::mouseClick(form.Command5, Qt::LeftButton);
        QVERIFY(form.Timer2->isActive());
        QVERIFY(!form.Timer1->isActive());
    }

    void fontButtonStepsThroughSevenFonts() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        const QString initial = form.solution[0]->font().family();
        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(form.Command3, Qt::LeftButton);
        QCOMPARE(form.tirage[0]->font().family(), QStringLiteral("Arial"));
        QCOMPARE(form.solution[0]->font().family(), initial);
        QCOMPARE(form.police->text(), QStringLiteral("6"));
        QTest::mouseClick(form.Command3, Qt::LeftButton);
        QCOMPARE(form.tirage[29]->font().family(), QStringLiteral("Abadi MT Condensed Light"));
        QCOMPARE(form.solution[29]->font().family(), QStringLiteral("Abadi MT Condensed Light"));
        QCOMPARE(form.police->text(), QStringLiteral("7"));
        QTest::mouseClick(form.Command3, Qt::LeftButton);
        QCOMPARE(form.tirage[0]->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(form.solution[0]->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(form.police->text(), QStringLiteral("1"));
        QVERIFY(!form.tirage[0]->font().italic());
        QCOMPARE(form.tirage[0]->font().pointSize(), 8);
        QCOMPARE(form.recherche->font().family(), initial);
    }

    void checkBoxHidesTheClocksWithoutStoppingThem() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        QTest::mouseClick(form.Check1, Qt::LeftButton);
        for (QWidget* hidden :
             std::initializer_list<QWidget*>{form.temps, form.tempstot, form.Label1, form.Label2})
            QVERIFY(!hidden->isVisible());
        QVERIFY(form.Label3->isVisible());
        QVERIFY(form.Timer1->isActive());
        form.timer1Tick();
        QTest::mouseClick(form.Check1, Qt::LeftButton);
        QVERIFY(form.temps->isVisible() && form.Label2->isVisible());
        QCOMPARE(form.temps->text(), QStringLiteral("3:59"));
    }
};

// "Sommaire" needs the launcher.
class TestSommaire : public QObject {
    Q_OBJECT

    WorkingFolder m_folder;
    std::unique_ptr<screens::Form2> m_launcher;

    // The screen's clocks move only by the ticks the tests call, however slow
    // the machine: their timers run, and never fire.
    screens::Form1& start(const QString& list) {
        m_launcher->fichier->setEditText(list);
        QTest::mouseClick(m_launcher->Command1, Qt::LeftButton);
        screens::Form1& form = *m_launcher->trainingScreen();
        for (QTimer* timer : {form.Timer1, form.Timer2, form.Timer3})
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
        screens::Form1& form = start("5 lettres");
        for (int i = 0; i < 30; ++i)
            form.timer1Tick();
        QTest::mouseClick(form.quitter, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QVERIFY(m_launcher->isVisible());
        QCOMPARE(m_launcher->fichier->currentText(), QStringLiteral("5 lettres"));
        QCOMPARE(form.nbseries->text(), QStringLiteral("0 série déjà réalisée."));
        QVERIFY(form.Timer1->isActive() && form.Timer2->isActive());
        // Four minutes later, on the hidden screen, the series is corrected.
        for (int i = 0; i < 240; ++i)
            form.timer1Tick();
        QVERIFY(!form.corriger->isEnabled());
        QCOMPARE(form.tps->text(), QStringLiteral("4:00"));
        QCOMPARE(form.nbseries->text(), QStringLiteral("1 série(s) déjà réalisée(s)."));
    }

    void sommaireAfterBravoBringsTheTilesBack() {
        screens::Form1& form = start("one.txt");
        QTest::keyClicks(form.solution[0], "ab");
        QTest::keyClick(form.solution[0], Qt::Key_F12);
        QCOMPARE(test::background(form.Command1[0]), kLightRed);
        QTest::mouseClick(form.quitter, Qt::LeftButton);
        for (const auto* tile : form.Command1)
            QCOMPARE(test::background(tile), kLightBlue);
        QCOMPARE(form.nbseries->text(), QStringLiteral("0 série déjà réalisée."));
        QVERIFY(m_launcher->isVisible());
    }

    void aSecondLancerKeepsFontsCurrentSlotAndPause() {
        screens::Form1& form = start("5 lettres");
        QTest::mouseClick(form.Command3, Qt::LeftButton);
        QTest::mouseClick(form.Command3, Qt::LeftButton);
        QTest::mouseClick(form.solution[7], Qt::LeftButton);
        QTest::mouseClick(form.Command5, Qt::LeftButton);
        QTest::mouseClick(form.quitter, Qt::LeftButton);

        screens::Form1& again = start("5 lettres");
        QCOMPARE(&again, &form);
        QCOMPARE(form.police->text(), QStringLiteral("3"));
        QCOMPARE(form.tirage[0]->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(form.Command5->text(), QStringLiteral("Reprendre"));
        QVERIFY(form.solution[0]->isReadOnly());
        QCOMPARE(form.training().state().compteseries, 0);
        // The set-up moves the focus to the first box, which sets the current slot.
        QCOMPARE(form.training().state().courant, 0);
    }

    void closingTheTrainingScreenIsSommaire() {
        screens::Form1& form = start("5 lettres");
        form.timer2Tick();
        form.close();
        QVERIFY(!form.isVisible());
        QVERIFY(m_launcher->isVisible());
        QCOMPARE(form.training().state().tempstotal, 0);
        QVERIFY(form.Timer2->isActive());
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TestSideControls side;
    TestSommaire sommaire;
    return QTest::qExec(&side, argc, argv) | QTest::qExec(&sommaire, argc, argv);
}
#include "widget_sidecontrols.moc"
