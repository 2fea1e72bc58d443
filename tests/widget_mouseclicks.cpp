// Every button of both windows pressed as a player presses it (a mouse click,
// Space or Enter on the focused button): where the focus lands, and what the
// next key then does.

#include "screens/form2.h"
#include "screens/geometry.h"
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

// Thirty entries with four-letter draws and solutions.
QStringList thirty() {
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines << QStringLiteral("W%1X;S%1T").arg(i, 2, 10, QLatin1Char('0'));
    return lines;
}

enum class Press { Mouse, Space, Enter };

void press(QAbstractButton* button, Press how) {
    switch (how) {
    case Press::Mouse:
        QTest::mouseClick(button, Qt::LeftButton);
        break;
    case Press::Space:
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
        break;
    case Press::Enter:
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Return);
        break;
    }
}

void addPressRows() {
    QTest::addColumn<Press>("how");
    QTest::addColumn<bool>("seconds"); // under the seconds criterion
    for (const bool seconds : {false, true}) {
        const char* criterion = seconds ? "seconds" : "successes";
        QTest::addRow("mouse, %s", criterion) << Press::Mouse << seconds;
        QTest::addRow("space, %s", criterion) << Press::Space << seconds;
        QTest::addRow("enter, %s", criterion) << Press::Enter << seconds;
    }
}

} // namespace

Q_DECLARE_METATYPE(Press)

class TestMouseClicks : public QObject {
    Q_OBJECT

private slots:
    // "Nouvelle série(F8)" leaves the focus in the first answer box, its slot
    // marked, and the letters typed then go there; "Corriger(F12)" leaves it on
    // "Nouvelle série(F8)", where F8 starts the next series.
    void seriesButtonsLeaveTheFocusWhereTheNextKeyBelongs_data() { addPressRows(); }
    void seriesButtonsLeaveTheFocusWhereTheNextKeyBelongs() {
        QFETCH(Press, how);
        QFETCH(bool, seconds);
        ScreenFixture f(thirty());
        auto& form = *f.form;
        if (seconds)
            QTest::mouseClick(form.Command4, Qt::LeftButton);
        const QString threshold = form.seuiltxt->text();
        QTest::mouseClick(form.solution[4], Qt::LeftButton);
        QTest::keyClicks(form.solution[4], "s");

        press(form.corriger, how);
        QVERIFY(!form.corriger->isEnabled());
        QCOMPARE(f.focused(), form.restart);
        QCOMPARE(form.nbseries->text(), QStringLiteral("1 série(s) déjà réalisée(s)."));
        QTest::keyClick(f.focused(), Qt::Key_F8);
        QVERIFY(form.corriger->isEnabled());
        QCOMPARE(f.focused(), form.solution[0]);

        // The next series, this time from the button itself.
        press(form.corriger, Press::Mouse);
        const QString voyant = form.voyant->text();
        press(form.restart, how);
        QVERIFY(form.corriger->isEnabled());
        QVERIFY(!form.restart->isEnabled());
        QCOMPARE(f.focused(), form.solution[0]);
        QCOMPARE(form.training().state().courant, 0);
        QCOMPARE(f.colourOf(form.solution[0]), kLightYellow);
        QCOMPARE(f.colourOf(form.tirage[0]), kLightGreen);
        QCOMPARE(f.colourOf(form.solution[4]), kLightOrange);
        QCOMPARE(form.Command1[0]->text(), form.tirage[0]->text().left(1));
        QCOMPARE(form.training().state().etat[0], qint16(-1));
        QCOMPARE(form.voyant->text(), voyant);
        QCOMPARE(form.Timer3->isActive(), seconds);

        QTest::keyClicks(f.focused(), "ab");
        QCOMPARE(form.solution[0]->text(), QStringLiteral("AB"));
        QCOMPARE(form.seuiltxt->text(), threshold);
        QTest::keyClick(f.focused(), Qt::Key_Return);
        QCOMPARE(f.focused(), form.solution[1]);
    }

    // The other buttons of the training screen keep the focus, except those
    // whose click moves it to an answer box.
    void otherButtonsOfTheTrainingScreen() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        QTest::mouseClick(form.solution[6], Qt::LeftButton);

        QTest::mouseClick(form.Command2, Qt::LeftButton);
        QCOMPARE(f.focused(), form.solution[7]);
        QTest::keyClicks(f.focused(), "s");
        QCOMPARE(form.solution[7]->text(), QStringLiteral("S"));

        QTest::mouseClick(form.Command1[2], Qt::LeftButton);
        QCOMPARE(f.focused(), form.Command1[2]);
        QTest::mouseClick(form.Command1[0], Qt::LeftButton);
        QCOMPARE(form.Command1[2]->x(), screens::toPixels(3000));
        QCOMPARE(f.colourOf(form.solution[7]), kLightYellow);

        QTest::mouseClick(form.recherche, Qt::LeftButton);
        QTest::keyClicks(form.recherche, "s07t");
        QTest::mouseClick(form.valider, Qt::LeftButton);
        QCOMPARE(form.solution[7]->text(), QStringLiteral("S07T"));
        QCOMPARE(f.focused(), form.solution[8]);

        QTest::mouseClick(form.Command3, Qt::LeftButton);
        QCOMPARE(f.focused(), form.Command3);
        QTest::keyClick(f.focused(), Qt::Key_Space);
        QCOMPARE(form.police->text(), QStringLiteral("3"));

        QTest::mouseClick(form.Command4, Qt::LeftButton);
        QCOMPARE(f.focused(), form.Command4);
        QCOMPARE(form.Label6->text(), QStringLiteral("secondes."));

        QTest::mouseClick(form.Command5, Qt::LeftButton);
        QCOMPARE(f.focused(), form.Command5);
        QCOMPARE(form.Command5->text(), QStringLiteral("Reprendre"));
        QTest::keyClick(f.focused(), Qt::Key_Space);
        QCOMPARE(form.Command5->text(), QStringLiteral("Pause"));

        QTest::mouseClick(form.Check1, Qt::LeftButton);
        QCOMPARE(f.focused(), form.Check1);
        QVERIFY(!form.temps->isVisible());
        QTest::keyClick(f.focused(), Qt::Key_Space);
        QVERIFY(form.temps->isVisible());

        // Nothing of this moved the series on.
        QVERIFY(form.corriger->isEnabled());
        QCOMPARE(form.training().state().courant, 8);
    }

    // A press on the search box is a click into it only with the left button,
    // and only while the box takes input.
    void onlyALeftClickIntoTheLiveSearchBoxMakesValiderTheDefault() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        QTest::mouseClick(form.solution[2], Qt::LeftButton);
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            QTest::mouseClick(form.recherche, button);
            QVERIFY(form.Command2->isDefault());
        }
        QTest::mouseClick(form.Command5, Qt::LeftButton); // pause: the box is disabled
        QTest::mouseClick(form.recherche, Qt::LeftButton);
        QVERIFY(form.Command2->isDefault());
        QCOMPARE(f.colourOf(form.tirage[2]), kLightCyan);
        QTest::mouseClick(form.Command5, Qt::LeftButton);
        QTest::mouseClick(form.recherche, Qt::LeftButton);
        QVERIFY(form.valider->isDefault());
    }

    // The clock boxes hold what the player types until the next tick, and the
    // correction reads the countdown from what its box shows.
    void clockBoxesHoldWhatIsTyped() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        form.timer1Tick();
        QTest::mouseClick(form.temps, Qt::LeftButton);
        form.temps->selectAll();
        QTest::keyClicks(form.temps, "2:35");
        QTest::mouseClick(form.tempstot, Qt::LeftButton);
        form.tempstot->selectAll();
        QTest::keyClicks(form.tempstot, "9:99:99");
        QCOMPARE(form.temps->text(), QStringLiteral("2:35"));
        QCOMPARE(form.tempstot->text(), QStringLiteral("9:99:99"));
        form.timer2Tick();
        QCOMPARE(form.tempstot->text(), QStringLiteral("0:00:01"));
        QCOMPARE(form.temps->text(), QStringLiteral("2:35"));
        QTest::mouseClick(form.corriger, Qt::LeftButton);
        QCOMPARE(form.tps->text(), QStringLiteral("1:25"));

        // The next series' ticks write the countdown again.
        QTest::keyClick(f.focused(), Qt::Key_F8);
        form.timer1Tick();
        QCOMPARE(form.temps->text(), QStringLiteral("3:59"));
    }

    // The launcher's box hands over exactly what was typed: no completion, no
    // match blind to case, nothing trimmed.
    void launcherHandsOverTheTypedTextUnchanged_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("entries"); // of the file of that exact name
        QTest::newRow("5") << "5" << 1;
        QTest::newRow("Mots") << "Mots" << 2;
        QTest::newRow("5 LETTRES") << "5 LETTRES" << 3;
        QTest::newRow("trailing space") << "5 lettres " << 4;
        QTest::newRow("catalogue name") << "5 lettres" << 5;
    }
    void launcherHandsOverTheTypedTextUnchanged() {
        QFETCH(QString, typed);
        QFETCH(int, entries);
        WorkingFolder cwd;
        cwd.write("5", numberedList(1));
        cwd.write("Mots", numberedList(2));
        cwd.write("5 LETTRES", numberedList(3));
        cwd.write("5 lettres ", numberedList(4));
        cwd.write("data/5l_tir.txt", numberedList(5));
        test::TestLauncher launcher;
        launcher.show();
        QVERIFY(QTest::qWaitForWindowExposed(&launcher));

        QTest::mouseClick(launcher.fichier->lineEdit(), Qt::LeftButton);
        launcher.fichier->lineEdit()->selectAll();
        QTest::keyClicks(launcher.fichier->lineEdit(), typed);
        QCOMPARE(launcher.fichier->currentText(), typed);
        QTest::mouseClick(launcher.Command1, Qt::LeftButton);

        QCOMPARE(launcher.fichier->currentText(), typed);
        screens::Form1* training = launcher.trainingScreen();
        QVERIFY2(training->isVisible(), qPrintable(launcher.message->text()));
        QCOMPARE(training->training().state().nbmots(), entries);
        // The training screen opens with the focus in the first answer box.
        QVERIFY(QTest::qWaitForWindowActive(training));
        QCOMPARE(QApplication::focusWidget(), training->solution[0]);
        QTest::keyClicks(QApplication::focusWidget(), "s");
        QCOMPARE(training->solution[0]->text(), QStringLiteral("S"));

        // "Sommaire" brings the launcher back; "Quitter" then starts the farewell.
        QTest::mouseClick(training->quitter, Qt::LeftButton);
        QVERIFY(!training->isVisible());
        QVERIFY(launcher.isVisible());
        QCOMPARE(launcher.fichier->currentText(), typed);
        QTest::mouseClick(launcher.quitter, Qt::LeftButton);
        QVERIFY(!launcher.isEnabled());
        QVERIFY(launcher.Timer1->isActive());
    }
};

QTEST_MAIN(TestMouseClicks)
#include "widget_mouseclicks.moc"
