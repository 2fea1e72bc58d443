// What a screen reader reads of the two screens, and the changes it is told
// of, through Qt's accessibility interfaces.

#include "screens/launcher.h"
#include "support/controls.h"
#include "support/launchersupport.h"
#include "support/screenfixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <algorithm>

using namespace tirages;
using namespace tirages::training;
using namespace tirages::test;

namespace {

// Every accessibility event the program raises.
QList<std::pair<QObject*, QAccessible::Event>> g_heard;
void listen(QAccessibleEvent* event) {
    g_heard.append({event->object(), event->type()});
}

int heard(const QObject* object, QAccessible::Event type) {
    return static_cast<int>(std::count_if(g_heard.cbegin(), g_heard.cend(), [&](const auto& e) {
        return e.first == object && e.second == type;
    }));
}

QAccessibleInterface* spoken(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}
QString name(QWidget* widget) {
    return spoken(widget)->text(QAccessible::Name);
}
QString description(QWidget* widget) {
    return spoken(widget)->text(QAccessible::Description);
}

// The tiles as a screen reader reads them, by their names in place order.
QStringList rack(screens::TrainingScreen& form) {
    QStringList names;
    for (entry::TileButton* tile : ui(form).Command1)
        names << name(tile);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.section(u' ', 1, 1).toInt() < b.section(u' ', 1, 1).toInt();
    });
    return names;
}

} // namespace

class TestSpoken : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // Run on the accessibility bus with QT_LINUX_ACCESSIBILITY_ALWAYS_ON,
        // as with a screen reader running: the interfaces exist from the
        // controls' first events on, and every event reaches the listener.
        QTRY_VERIFY(QAccessible::isActive());
        QAccessible::installUpdateHandler(listen);
    }
    void init() { g_heard.clear(); }

    void answerBoxesTellTheirDrawThenTheirResult() {
        ScreenFixture f({"ABERR;ARBRE", "BEERZ;ZEBRE", "AEHNT;THANE"});
        screens::TrainingScreen& form = *f.form;
        const int arbre = f.slotOf("ABERR");
        const int zebre = f.slotOf("BEERZ");
        const int thane = f.slotOf("AEHNT");
        QCOMPARE(description(ui(form).solution[arbre]), QStringLiteral("Tirage : ABERR"));
        QCOMPARE(description(ui(form).solution[zebre]), QStringLiteral("Tirage : BEERZ"));
        QCOMPARE(name(ui(form).solution[zebre]), QStringLiteral("Réponse %1").arg(zebre + 1));
        QCOMPARE(description(ui(form).solution[3]), QString()); // an empty slot
        QCOMPARE(f.focused(), ui(form).solution[0]);

        QTest::keyClicks(ui(form).solution[arbre], "ARBRE");
        QTest::keyClicks(ui(form).solution[thane], "HANTE");
        g_heard.clear();
        QTest::keyClick(ui(form).solution[0], Qt::Key_F12);
        QCOMPARE(description(ui(form).solution[arbre]), QStringLiteral("Juste"));
        QCOMPARE(description(ui(form).solution[zebre]), QStringLiteral("Faux, solution : ZEBRE"));
        QCOMPARE(description(ui(form).solution[thane]), QStringLiteral("Faux, solution : THANE"));
        QCOMPARE(description(ui(form).solution[3]), QString());
        for (int slot : {arbre, zebre, thane})
            QCOMPARE(heard(ui(form).solution[slot], QAccessible::DescriptionChanged), 1);
        // The score and the time used are told; the result stays wherever the
        // focus goes.
        QCOMPARE(name(ui(form).score), QStringLiteral("Score de la série : 1/3"));
        QVERIFY(name(ui(form).tps).startsWith(QStringLiteral("Temps utilisé : 0:0")));
        QCOMPARE(heard(ui(form).score, QAccessible::NameChanged), 1);
        QCOMPARE(heard(ui(form).tps, QAccessible::NameChanged), 1);
        QTest::mouseClick(ui(form).solution[zebre], Qt::LeftButton);
        QCOMPARE(description(ui(form).solution[zebre]), QStringLiteral("Faux, solution : ZEBRE"));

        // The next series tells the draws again.
        QTest::keyClick(ui(form).restart, Qt::Key_F8);
        QCOMPARE(description(ui(form).solution[f.slotOf("BEERZ")]),
                 QStringLiteral("Tirage : BEERZ"));
    }

    void theJudgingLightAndThePauseAreTold() {
        ScreenFixture f({"ABERR;ARBRE", "BEERZ;ZEBRE"});
        screens::TrainingScreen& form = *f.form;
        QTest::mouseClick(ui(form).Command4, Qt::LeftButton); // the seconds criterion
        const TrainingState& state = form.training().state();
        QTest::mouseClick(ui(form).solution[0], Qt::LeftButton);
        QTest::keyClicks(ui(form).solution[0], state.entries[state.slotEntry[0]].words.first());
        g_heard.clear();
        QTest::keyClick(ui(form).solution[0], Qt::Key_Down); // judged on leaving the box
        QCOMPARE(name(ui(form).voyant), QStringLiteral("Jugement : OK"));
        QCOMPARE(heard(ui(form).voyant, QAccessible::NameChanged), 1);

        const QString before = name(ui(form).Command5);
        QTest::mouseClick(ui(form).Command5, Qt::LeftButton);
        QVERIFY(name(ui(form).Command5) != before);
        QCOMPARE(heard(ui(form).Command5, QAccessible::NameChanged), 1);
    }

    void tilesTellTheirPlaceAndLetter() {
        ScreenFixture f({"BEERZ;ZEBRE"});
        screens::TrainingScreen& form = *f.form;
        QCOMPARE(rack(form),
                 (QStringList{"Lettre 1 : B", "Lettre 2 : E", "Lettre 3 : E", "Lettre 4 : R",
                              "Lettre 5 : Z", "Lettre 6 : vide", "Lettre 7 : vide",
                              "Lettre 8 : vide", "Lettre 9 : vide"}));
        g_heard.clear();
        QTest::mouseClick(ui(form).Command1[0], Qt::LeftButton);
        QTest::mouseClick(ui(form).Command1[4], Qt::LeftButton);
        QCOMPARE(rack(form).first(5), (QStringList{"Lettre 1 : Z", "Lettre 2 : E", "Lettre 3 : E",
                                                   "Lettre 4 : R", "Lettre 5 : B"}));
        QCOMPARE(heard(ui(form).Command1[0], QAccessible::NameChanged), 1);
        QCOMPARE(heard(ui(form).Command1[4], QAccessible::NameChanged), 1);
        QCOMPARE(heard(ui(form).Command1[2], QAccessible::NameChanged), 0);

        // The end of the list: " BRAVO! " on the tiles, no word left.
        QTest::keyClicks(ui(form).solution[0], "ZEBRE");
        g_heard.clear();
        QTest::keyClick(ui(form).solution[0], Qt::Key_F12);
        QCOMPARE(rack(form), (QStringList{"Lettre 1 : vide", "Lettre 2 : B", "Lettre 3 : R",
                                          "Lettre 4 : A", "Lettre 5 : V", "Lettre 6 : O",
                                          "Lettre 7 : !", "Lettre 8 : vide", "Lettre 9 : vide"}));
        QVERIFY(heard(ui(form).Command1[1], QAccessible::NameChanged) >= 1);
        QCOMPARE(spoken(ui(form).motsleft)->text(QAccessible::Value), QStringLiteral("0"));
        QVERIFY(heard(ui(form).motsleft, QAccessible::TextUpdated) +
                    heard(ui(form).motsleft, QAccessible::TextInserted) >=
                1);
    }

    void clocksAreReadWithoutATellingEachSecond() {
        ScreenFixture f({"ABERR;ARBRE"});
        screens::TrainingScreen& form = *f.form;
        QCOMPARE(name(ui(form).temps), QStringLiteral("Temps restant de la série : 4:00"));
        g_heard.clear();
        for (int i = 0; i < 3; ++i) {
            form.countdownTick();
            form.totalTick();
        }
        QCOMPARE(name(ui(form).temps), QStringLiteral("Temps restant de la série : 3:57"));
        QCOMPARE(name(ui(form).tempstot), QStringLiteral("Temps total : 0:00:03"));
        QCOMPARE(spoken(ui(form).temps)->text(QAccessible::Value), QStringLiteral("3:57"));
        for (QWidget* clock :
             {static_cast<QWidget*>(ui(form).temps), static_cast<QWidget*>(ui(form).tempstot)}) {
            // No text a reader is handed on each change, nor any other news.
            QVERIFY(!spoken(clock)->textInterface());
            for (auto type : {QAccessible::NameChanged, QAccessible::ValueChanged,
                              QAccessible::DescriptionChanged, QAccessible::Alert})
                QCOMPARE(heard(clock, type), 0);
        }
    }

    void theLaunchersMessageIsAnAlert() {
        WorkingFolder cwd;
        cwd.write("broken.txt", "A;B\r\nC\r\n");
        test::TestLauncher launcher;
        launcher.show();
        QVERIFY(!ui(launcher).message->isVisible());
        ui(launcher).fichier->setEditText("broken.txt");
        g_heard.clear();
        QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);
        const QString said = QStringLiteral("La liste « broken.txt » est mal formée : la ligne 2 "
                                            "n'a pas de « ; » entre le tirage et la solution.");
        QCOMPARE(spoken(ui(launcher).message)->role(), QAccessible::AlertMessage);
        QCOMPARE(name(ui(launcher).message), said);
        QVERIFY(ui(launcher).message->isVisible());
        QCOMPARE(heard(ui(launcher).message, QAccessible::ObjectShow), 1);
        QCOMPARE(heard(ui(launcher).message, QAccessible::NameChanged), 1);
        QCOMPARE(heard(ui(launcher).message, QAccessible::Alert), 1);
        // The same message again is told again.
        g_heard.clear();
        QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);
        QCOMPARE(heard(ui(launcher).message, QAccessible::Alert), 1);

        // The farewell countdown is read, not told each second.
        QTest::mouseClick(ui(launcher).quitter, Qt::LeftButton);
        ui(launcher).Timer1->stop();
        g_heard.clear();
        launcher.farewellTick();
        launcher.farewellTick();
        QCOMPARE(name(ui(launcher).Label2), QStringLiteral("Compte à rebours : 4"));
        QCOMPARE(heard(ui(launcher).Label2, QAccessible::NameChanged), 0);
    }
};

QTEST_MAIN(TestSpoken)
#include "widget_spoken.moc"
