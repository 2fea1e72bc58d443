// Whole series played on the training screen: answers, correction, clocks, end of list.

#include "support/controls.h"
#include "support/screenfixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace tirages;
using namespace tirages::training;
using namespace tirages::test;

class TestSeriesCycle : public QObject {
    Q_OBJECT

private slots:
    void f12CorrectsWhatWasTyped() {
        ScreenFixture f({"ABERR;ARBRE", "ABELT;TABLE", "ACHT;CHAT"});
        auto& form = *f.form;
        const int right = f.slotOf("ABERR");
        const int wrong = f.slotOf("ABELT");
        const int empty = f.slotOf("ACHT");
        QTest::mouseClick(ui(form).solution[right], Qt::LeftButton);
        QTest::keyClicks(ui(form).solution[right], "arbre");
        QTest::mouseClick(ui(form).solution[wrong], Qt::LeftButton);
        QTest::keyClicks(ui(form).solution[wrong], "tablo");
        QTest::keyClick(ui(form).solution[wrong], Qt::Key_F12);

        QCOMPARE(f.colourOf(ui(form).solution[right]), kLightGreen);
        QVERIFY(!ui(form).solution[right]->font().strikeOut());
        QCOMPARE(f.colourOf(ui(form).solution[wrong]), kLightRed);
        QVERIFY(ui(form).solution[wrong]->font().strikeOut());
        QCOMPARE(ui(form).solution[wrong]->text(), QStringLiteral("TABLO"));
        QCOMPARE(ui(form).tirage[wrong]->text(), QStringLiteral("TABLE"));
        QCOMPARE(f.colourOf(ui(form).tirage[wrong]), kLightGreen);
        QCOMPARE(ui(form).solution[empty]->text(), QStringLiteral("ACHT"));
        QVERIFY(!ui(form).solution[empty]->font().strikeOut());
        QCOMPARE(ui(form).tirage[empty]->text(), QStringLiteral("CHAT"));

        QVERIFY(ui(form).score->isVisible());
        QCOMPARE(ui(form).score->text(), QStringLiteral("1/3"));
        QVERIFY(ui(form).tps->isVisible());
        QCOMPARE(ui(form).tps->text(), QStringLiteral("0:00"));
        QCOMPARE(ui(form).nbseries->text(), QStringLiteral("1 série(s) déjà réalisée(s)."));
        QCOMPARE(f.colourOf(ui(form).temps), kRed);
        QVERIFY(!ui(form).corriger->isEnabled());
        QVERIFY(ui(form).restart->isEnabled());
        QVERIFY(!ui(form).Timer1->isActive());
        QVERIFY(ui(form).Timer2->isActive());
        // ARBRE found once with threshold 1: gone from the list.
        QCOMPARE(form.training().state().entryCount(), 2);

        // After the correction the focus still moves, without repainting.
        QTest::keyClick(ui(form).solution[wrong], Qt::Key_Down);
        QCOMPARE(f.colourOf(ui(form).solution[wrong]), kLightRed);

        // F12 again does nothing; F8 starts the next series on what is left.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12);
        QCOMPARE(ui(form).nbseries->text(), QStringLiteral("1 série(s) déjà réalisée(s)."));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
        QCOMPARE(ui(form).motsleft->text(), QStringLiteral("2"));
        QVERIFY(!ui(form).score->isVisible() && !ui(form).tps->isVisible());
        QCOMPARE(f.colourOf(ui(form).temps), screens::rgb(Colour::SystemWindow));
        QVERIFY(!ui(form).solution[wrong]->font().strikeOut());
        QCOMPARE(f.colourOf(ui(form).solution[0]), kLightYellow);
        QCOMPARE(f.colourOf(ui(form).solution[1]), kLightOrange);
        QCOMPARE(ui(form).temps->text(), QStringLiteral("4:00"));
    }

    void theCountdownCorrectsTheSeriesByItself() {
        ScreenFixture f({"ABERR;ARBRE", "ABELT;TABLE"});
        auto& form = *f.form;
        form.countdownTick();
        QCOMPARE(ui(form).temps->text(), QStringLiteral("3:59"));
        for (int i = 1; i < 239; ++i)
            form.countdownTick();
        QCOMPARE(ui(form).temps->text(), QStringLiteral("0:01"));
        QVERIFY(ui(form).corriger->isEnabled());
        form.countdownTick();
        QCOMPARE(ui(form).temps->text(), QStringLiteral("0:00"));
        QVERIFY(!ui(form).corriger->isEnabled());
        QVERIFY(!ui(form).Timer1->isActive());
        QCOMPARE(ui(form).tps->text(), QStringLiteral("4:00"));
        QCOMPARE(ui(form).score->text(), QStringLiteral("0/2"));
    }

    void theTotalClockRunsAcrossSeries() {
        ScreenFixture f({"ABERR;ARBRE", "ABELT;TABLE"});
        auto& form = *f.form;
        for (int i = 0; i < 59; ++i)
            form.totalTick();
        QCOMPARE(ui(form).tempstot->text(), QStringLiteral("0:00:59"));
        QTest::mouseClick(ui(form).corriger, Qt::LeftButton);
        form.totalTick();
        QCOMPARE(ui(form).tempstot->text(), QStringLiteral("0:01:00"));
        QTest::mouseClick(ui(form).restart, Qt::LeftButton);
        QVERIFY(ui(form).Timer2->isActive());
        form.totalTick();
        QCOMPARE(ui(form).tempstot->text(), QStringLiteral("0:01:01"));
    }

    void aListPlayedToItsEndSaysBravo() {
        ScreenFixture f({"ABERR;ARBRE", "ABELT;TABLE"});
        auto& form = *f.form;
        // First series: one word found; second series: the other.
        QTest::keyClicks(ui(form).solution[f.slotOf("ABERR")], "arbre");
        QTest::mouseClick(ui(form).corriger, Qt::LeftButton);
        QCOMPARE(form.training().state().entryCount(), 1);
        QTest::mouseClick(ui(form).restart, Qt::LeftButton);
        QCOMPARE(ui(form).motsleft->text(), QStringLiteral("1"));
        QTest::keyClicks(ui(form).solution[0], "table");
        QTest::keyClick(ui(form).solution[0], Qt::Key_F12);

        QString tiles;
        for (const auto* tile : ui(form).Command1) {
            tiles += tile->text();
            QCOMPARE(f.colourOf(tile), kLightRed);
        }
        QCOMPARE(tiles, QStringLiteral(" BRAVO! "));
        QCOMPARE(ui(form).motsleft->text(), QStringLiteral("0"));
        QCOMPARE(f.colourOf(ui(form).tempstot), kRed);
        QVERIFY(!ui(form).restart->isEnabled());
        QVERIFY(!ui(form).corriger->isEnabled());
        QVERIFY(!ui(form).Timer1->isActive() && !ui(form).Timer2->isActive() &&
                !ui(form).Timer3->isActive());
        QCOMPARE(ui(form).score->text(), QStringLiteral("1/1"));
        QCOMPARE(ui(form).nbseries->text(), QStringLiteral("2 série(s) déjà réalisée(s)."));
        QTest::keyClick(ui(form).solution[0], Qt::Key_F8);
        QVERIFY(!ui(form).corriger->isEnabled());
    }

    void theTimersAreWiredToTheClocks() {
        ScreenFixture f({"ABERR;ARBRE"});
        auto& form = *f.form;
        QCOMPARE(ui(form).Timer1->interval(), 1000);
        QVERIFY(ui(form).Timer1->isActive() && ui(form).Timer2->isActive());
        // The timers' own signal, without waiting for a real second.
        QVERIFY(QMetaObject::invokeMethod(ui(form).Timer1, "timeout"));
        QVERIFY(QMetaObject::invokeMethod(ui(form).Timer2, "timeout"));
        QCOMPARE(ui(form).temps->text(), QStringLiteral("3:59"));
        QCOMPARE(ui(form).tempstot->text(), QStringLiteral("0:00:01"));
        QTest::mouseClick(ui(form).Command4, Qt::LeftButton);
        QTest::mouseClick(ui(form).solution[1], Qt::LeftButton);
        QVERIFY(ui(form).Timer3->isActive());
        QVERIFY(QMetaObject::invokeMethod(ui(form).Timer3, "timeout"));
        QCOMPARE(form.training().state().secondsInBox, 1);
    }
};

QTEST_MAIN(TestSeriesCycle)
#include "widget_seriescycle.moc"
