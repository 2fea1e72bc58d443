// Whole series played on the training screen: answers, correction, clocks, end of list.

#include "support/screenfixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace tirages;
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
        QTest::mouseClick(form.solution[right], Qt::LeftButton);
        QTest::keyClicks(form.solution[right], "arbre");
        QTest::mouseClick(form.solution[wrong], Qt::LeftButton);
        QTest::keyClicks(form.solution[wrong], "tablo");
        QTest::keyClick(form.solution[wrong], Qt::Key_F12);

        QCOMPARE(f.colourOf(form.solution[right]), kLightGreen);
        QVERIFY(!form.solution[right]->font().strikeOut());
        QCOMPARE(f.colourOf(form.solution[wrong]), kLightRed);
        QVERIFY(form.solution[wrong]->font().strikeOut());
        QCOMPARE(form.solution[wrong]->text(), QStringLiteral("TABLO"));
        QCOMPARE(form.tirage[wrong]->text(), QStringLiteral("TABLE"));
        QCOMPARE(f.colourOf(form.tirage[wrong]), kLightGreen);
        QCOMPARE(form.solution[empty]->text(), QStringLiteral("ACHT"));
        QVERIFY(!form.solution[empty]->font().strikeOut());
        QCOMPARE(form.tirage[empty]->text(), QStringLiteral("CHAT"));

        QVERIFY(form.score->isVisible());
        QCOMPARE(form.score->text(), QStringLiteral("1/3"));
        QVERIFY(form.tps->isVisible());
        QCOMPARE(form.tps->text(), QStringLiteral("0:00"));
        QCOMPARE(form.nbseries->text(), QStringLiteral("1 série(s) déjà réalisée(s)."));
        QCOMPARE(f.colourOf(form.temps), kRed);
        QVERIFY(!form.corriger->isEnabled());
        QVERIFY(form.restart->isEnabled());
        QVERIFY(!form.Timer1->isActive());
        QVERIFY(form.Timer2->isActive());
        // ARBRE found once with threshold 1: gone from the list.
        QCOMPARE(form.training().state().nbmots(), 2);

        // After the correction the focus still moves, without repainting.
        QTest::keyClick(form.solution[wrong], Qt::Key_Down);
        QCOMPARE(f.colourOf(form.solution[wrong]), kLightRed);

        // F12 again does nothing; F8 starts the next series on what is left.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12);
        QCOMPARE(form.nbseries->text(), QStringLiteral("1 série(s) déjà réalisée(s)."));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
        QCOMPARE(form.motsleft->text(), QStringLiteral("2"));
        QVERIFY(!form.score->isVisible() && !form.tps->isVisible());
        QCOMPARE(f.colourOf(form.temps), screens::rgb(Colour::SystemWindow));
        QVERIFY(!form.solution[wrong]->font().strikeOut());
        QCOMPARE(f.colourOf(form.solution[0]), kLightYellow);
        QCOMPARE(f.colourOf(form.solution[1]), kLightOrange);
        QCOMPARE(form.temps->text(), QStringLiteral("4:00"));
    }

    void theCountdownCorrectsTheSeriesByItself() {
        ScreenFixture f({"ABERR;ARBRE", "ABELT;TABLE"});
        auto& form = *f.form;
        form.timer1Tick();
        QCOMPARE(form.temps->text(), QStringLiteral("3:59"));
        for (int i = 1; i < 239; ++i)
            form.timer1Tick();
        QCOMPARE(form.temps->text(), QStringLiteral("0:01"));
        QVERIFY(form.corriger->isEnabled());
        form.timer1Tick();
        QCOMPARE(form.temps->text(), QStringLiteral("0:00"));
        QVERIFY(!form.corriger->isEnabled());
        QVERIFY(!form.Timer1->isActive());
        QCOMPARE(form.tps->text(), QStringLiteral("4:00"));
        QCOMPARE(form.score->text(), QStringLiteral("0/2"));
    }

    void theTotalClockRunsAcrossSeries() {
        ScreenFixture f({"ABERR;ARBRE", "ABELT;TABLE"});
        auto& form = *f.form;
        for (int i = 0; i < 59; ++i)
            form.timer2Tick();
        QCOMPARE(form.tempstot->text(), QStringLiteral("0:00:59"));
        QTest::mouseClick(form.corriger, Qt::LeftButton);
        form.timer2Tick();
        QCOMPARE(form.tempstot->text(), QStringLiteral("0:01:00"));
        QTest::mouseClick(form.restart, Qt::LeftButton);
        QVERIFY(form.Timer2->isActive());
        form.timer2Tick();
        QCOMPARE(form.tempstot->text(), QStringLiteral("0:01:01"));
    }

    void aListPlayedToItsEndSaysBravo() {
        ScreenFixture f({"ABERR;ARBRE", "ABELT;TABLE"});
        auto& form = *f.form;
        // First series: one word found; second series: the other.
        QTest::keyClicks(form.solution[f.slotOf("ABERR")], "arbre");
        QTest::mouseClick(form.corriger, Qt::LeftButton);
        QCOMPARE(form.training().state().nbmots(), 1);
        QTest::mouseClick(form.restart, Qt::LeftButton);
        QCOMPARE(form.motsleft->text(), QStringLiteral("1"));
        QTest::keyClicks(form.solution[0], "table");
        QTest::keyClick(form.solution[0], Qt::Key_F12);

        QString tiles;
        for (const auto* tile : form.Command1) {
            tiles += tile->text();
            QCOMPARE(f.colourOf(tile), kLightRed);
        }
        QCOMPARE(tiles, QStringLiteral(" BRAVO! "));
        QCOMPARE(form.motsleft->text(), QStringLiteral("0"));
        QCOMPARE(f.colourOf(form.tempstot), kRed);
        QVERIFY(!form.restart->isEnabled());
        QVERIFY(!form.corriger->isEnabled());
        QVERIFY(!form.Timer1->isActive() && !form.Timer2->isActive() && !form.Timer3->isActive());
        QCOMPARE(form.score->text(), QStringLiteral("1/1"));
        QCOMPARE(form.nbseries->text(), QStringLiteral("2 série(s) déjà réalisée(s)."));
        QTest::keyClick(form.solution[0], Qt::Key_F8);
        QVERIFY(!form.corriger->isEnabled());
    }

    void theTimersAreWiredToTheClocks() {
        ScreenFixture f({"ABERR;ARBRE"});
        auto& form = *f.form;
        QCOMPARE(form.Timer1->interval(), 1000);
        QVERIFY(form.Timer1->isActive() && form.Timer2->isActive());
        // The timers' own signal, without waiting for a real second.
        QVERIFY(QMetaObject::invokeMethod(form.Timer1, "timeout"));
        QVERIFY(QMetaObject::invokeMethod(form.Timer2, "timeout"));
        QCOMPARE(form.temps->text(), QStringLiteral("3:59"));
        QCOMPARE(form.tempstot->text(), QStringLiteral("0:00:01"));
        QTest::mouseClick(form.Command4, Qt::LeftButton);
        QTest::mouseClick(form.solution[1], Qt::LeftButton);
        QVERIFY(form.Timer3->isActive());
        QVERIFY(QMetaObject::invokeMethod(form.Timer3, "timeout"));
        QCOMPARE(form.training().state().chrono, 1);
    }
};

QTEST_MAIN(TestSeriesCycle)
#include "widget_seriescycle.moc"
