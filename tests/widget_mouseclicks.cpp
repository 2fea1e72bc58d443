// Every button of both windows pressed as a player presses it (a mouse click,
// Space or Enter on the focused button): where the focus lands, and what the
// next key then does.

#include "screens/geometry.h"
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
            QTest::mouseClick(ui(form).Command4, Qt::LeftButton);
        const QString threshold = ui(form).seuiltxt->text();
        QTest::mouseClick(ui(form).solution[4], Qt::LeftButton);
        QTest::keyClicks(ui(form).solution[4], "s");

        press(ui(form).corriger, how);
        QVERIFY(!ui(form).corriger->isEnabled());
        QCOMPARE(f.focused(), ui(form).restart);
        QCOMPARE(ui(form).nbseries->text(), QStringLiteral("1 série(s) déjà réalisée(s)."));
        QTest::keyClick(f.focused(), Qt::Key_F8);
        QVERIFY(ui(form).corriger->isEnabled());
        QCOMPARE(f.focused(), ui(form).solution[0]);

        // The next series, this time from the button itself.
        press(ui(form).corriger, Press::Mouse);
        const QString judgement = ui(form).voyant->text();
        press(ui(form).restart, how);
        QVERIFY(ui(form).corriger->isEnabled());
        QVERIFY(!ui(form).restart->isEnabled());
        QCOMPARE(f.focused(), ui(form).solution[0]);
        QCOMPARE(form.training().state().currentSlot, 0);
        QCOMPARE(f.colourOf(ui(form).solution[0]), kLightYellow);
        QCOMPARE(f.colourOf(ui(form).tirage[0]), kLightGreen);
        QCOMPARE(f.colourOf(ui(form).solution[4]), kLightOrange);
        QCOMPARE(ui(form).Command1[0]->text(), ui(form).tirage[0]->text().left(1));
        QCOMPARE(form.training().state().verdicts[0], FastVerdict::NotJudged);
        QCOMPARE(ui(form).voyant->text(), judgement);
        QCOMPARE(ui(form).Timer3->isActive(), seconds);

        QTest::keyClicks(f.focused(), "ab");
        QCOMPARE(ui(form).solution[0]->text(), QStringLiteral("AB"));
        QCOMPARE(ui(form).seuiltxt->text(), threshold);
        QTest::keyClick(f.focused(), Qt::Key_Return);
        QCOMPARE(f.focused(), ui(form).solution[1]);
    }

    // The other buttons of the training screen keep the focus, except those
    // whose click moves it to an answer box.
    void otherButtonsOfTheTrainingScreen() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        QTest::mouseClick(ui(form).solution[6], Qt::LeftButton);

        QTest::mouseClick(ui(form).Command2, Qt::LeftButton);
        QCOMPARE(f.focused(), ui(form).solution[7]);
        QTest::keyClicks(f.focused(), "s");
        QCOMPARE(ui(form).solution[7]->text(), QStringLiteral("S"));

        QTest::mouseClick(ui(form).Command1[2], Qt::LeftButton);
        QCOMPARE(f.focused(), ui(form).Command1[2]);
        QTest::mouseClick(ui(form).Command1[0], Qt::LeftButton);
        QCOMPARE(ui(form).Command1[2]->x(), screens::toPixels(3000));
        QCOMPARE(f.colourOf(ui(form).solution[7]), kLightYellow);

        QTest::mouseClick(ui(form).recherche, Qt::LeftButton);
        QTest::keyClicks(ui(form).recherche, "s07t");
        QTest::mouseClick(ui(form).valider, Qt::LeftButton);
        QCOMPARE(ui(form).solution[7]->text(), QStringLiteral("S07T"));
        QCOMPARE(f.focused(), ui(form).solution[8]);

        QTest::mouseClick(ui(form).Command3, Qt::LeftButton);
        QCOMPARE(f.focused(), ui(form).Command3);
        QTest::keyClick(f.focused(), Qt::Key_Space);
        QCOMPARE(ui(form).police->text(), QStringLiteral("3"));

        QTest::mouseClick(ui(form).Command4, Qt::LeftButton);
        QCOMPARE(f.focused(), ui(form).Command4);
        QCOMPARE(ui(form).Label6->text(), QStringLiteral("secondes."));

        QTest::mouseClick(ui(form).Command5, Qt::LeftButton);
        QCOMPARE(f.focused(), ui(form).Command5);
        QCOMPARE(ui(form).Command5->text(), QStringLiteral("Reprendre"));
        QTest::keyClick(f.focused(), Qt::Key_Space);
        QCOMPARE(ui(form).Command5->text(), QStringLiteral("Pause"));

        QTest::mouseClick(ui(form).Check1, Qt::LeftButton);
        QCOMPARE(f.focused(), ui(form).Check1);
        QVERIFY(!ui(form).temps->isVisible());
        QTest::keyClick(f.focused(), Qt::Key_Space);
        QVERIFY(ui(form).temps->isVisible());

        // Nothing of this moved the series on.
        QVERIFY(ui(form).corriger->isEnabled());
        QCOMPARE(form.training().state().currentSlot, 8);
    }

    // A press on the search box is a click into it only with the left button,
    // and only while the box takes input.
    void onlyALeftClickIntoTheLiveSearchBoxMakesValiderTheDefault() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        QTest::mouseClick(ui(form).solution[2], Qt::LeftButton);
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            QTest::mouseClick(ui(form).recherche, button);
            QVERIFY(ui(form).Command2->isDefault());
        }
        QTest::mouseClick(ui(form).Command5, Qt::LeftButton); // pause: the box is disabled
        QTest::mouseClick(ui(form).recherche, Qt::LeftButton);
        QVERIFY(ui(form).Command2->isDefault());
        QCOMPARE(f.colourOf(ui(form).tirage[2]), kLightCyan);
        QTest::mouseClick(ui(form).Command5, Qt::LeftButton);
        QTest::mouseClick(ui(form).recherche, Qt::LeftButton);
        QVERIFY(ui(form).valider->isDefault());
    }

    // The clock boxes hold what the player types until the next tick, and the
    // correction reads the countdown from what its box shows.
    void clockBoxesHoldWhatIsTyped() {
        ScreenFixture f(thirty());
        auto& form = *f.form;
        form.countdownTick();
        QTest::mouseClick(ui(form).temps, Qt::LeftButton);
        ui(form).temps->selectAll();
        QTest::keyClicks(ui(form).temps, "2:35");
        QTest::mouseClick(ui(form).tempstot, Qt::LeftButton);
        ui(form).tempstot->selectAll();
        QTest::keyClicks(ui(form).tempstot, "9:99:99");
        QCOMPARE(ui(form).temps->text(), QStringLiteral("2:35"));
        QCOMPARE(ui(form).tempstot->text(), QStringLiteral("9:99:99"));
        form.totalTick();
        QCOMPARE(ui(form).tempstot->text(), QStringLiteral("0:00:01"));
        QCOMPARE(ui(form).temps->text(), QStringLiteral("2:35"));
        QTest::mouseClick(ui(form).corriger, Qt::LeftButton);
        QCOMPARE(ui(form).tps->text(), QStringLiteral("1:25"));

        // The next series' ticks write the countdown again.
        QTest::keyClick(f.focused(), Qt::Key_F8);
        form.countdownTick();
        QCOMPARE(ui(form).temps->text(), QStringLiteral("3:59"));
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

        QTest::mouseClick(ui(launcher).fichier->lineEdit(), Qt::LeftButton);
        ui(launcher).fichier->lineEdit()->selectAll();
        QTest::keyClicks(ui(launcher).fichier->lineEdit(), typed);
        QCOMPARE(ui(launcher).fichier->currentText(), typed);
        QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);

        QCOMPARE(ui(launcher).fichier->currentText(), typed);
        screens::TrainingScreen* training = launcher.trainingScreen();
        QVERIFY2(training->isVisible(), qPrintable(ui(launcher).message->text()));
        QCOMPARE(training->training().state().entryCount(), entries);
        // The training screen opens with the focus in the first answer box.
        QVERIFY(QTest::qWaitForWindowActive(training));
        QCOMPARE(QApplication::focusWidget(), ui(training).solution[0]);
        QTest::keyClicks(QApplication::focusWidget(), "s");
        QCOMPARE(ui(training).solution[0]->text(), QStringLiteral("S"));

        // "Sommaire" brings the launcher back; "Quitter" then starts the farewell.
        QTest::mouseClick(ui(training).quitter, Qt::LeftButton);
        QVERIFY(!training->isVisible());
        QVERIFY(launcher.isVisible());
        QCOMPARE(ui(launcher).fichier->currentText(), typed);
        QTest::mouseClick(ui(launcher).quitter, Qt::LeftButton);
        QVERIFY(!launcher.isEnabled());
        QVERIFY(ui(launcher).Timer1->isActive());
    }
};

QTEST_MAIN(TestMouseClicks)
#include "widget_mouseclicks.moc"
