// What a screen reader reads of the two screens, and the changes it is told
// of, through Qt's accessibility interfaces.

#include "screens/form2.h"
#include "support/launchersupport.h"
#include "support/screenfixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QTimer>
#include <QPushButton>
#include <QtTest>
#include <algorithm>

using namespace tirages;
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
QStringList rack(screens::Form1& form) {
    QStringList names;
    for (entry::TileButton* tile : form.Command1)
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
        screens::Form1& form = *f.form;
        const int arbre = f.slotOf("ABERR");
        const int zebre = f.slotOf("BEERZ");
        const int thane = f.slotOf("AEHNT");
        QCOMPARE(description(form.solution[arbre]), QStringLiteral("Tirage : ABERR"));
        QCOMPARE(description(form.solution[zebre]), QStringLiteral("Tirage : BEERZ"));
        QCOMPARE(name(form.solution[zebre]), QStringLiteral("Réponse %1").arg(zebre + 1));
        QCOMPARE(description(form.solution[3]), QString()); // an empty slot
        QCOMPARE(f.focused(), form.solution[0]);

        QTest::keyClicks(form.solution[arbre], "ARBRE");
        QTest::keyClicks(form.solution[thane], "HANTE");
        g_heard.clear();
        QTest::keyClick(form.solution[0], Qt::Key_F12);
        QCOMPARE(description(form.solution[arbre]), QStringLiteral("Juste"));
        QCOMPARE(description(form.solution[zebre]), QStringLiteral("Faux, solution : ZEBRE"));
        QCOMPARE(description(form.solution[thane]), QStringLiteral("Faux, solution : THANE"));
        QCOMPARE(description(form.solution[3]), QString());
        for (int slot : {arbre, zebre, thane})
            QCOMPARE(heard(form.solution[slot], QAccessible::DescriptionChanged), 1);
        // The score and the time used are told; the result stays wherever the
        // focus goes.
        QCOMPARE(name(form.score), QStringLiteral("Score de la série : 1/3"));
        QVERIFY(name(form.tps).startsWith(QStringLiteral("Temps utilisé : 0:0")));
        QCOMPARE(heard(form.score, QAccessible::NameChanged), 1);
        QCOMPARE(heard(form.tps, QAccessible::NameChanged), 1);
        QTest::mouseClick(form.solution[zebre], Qt::LeftButton);
        QCOMPARE(description(form.solution[zebre]), QStringLiteral("Faux, solution : ZEBRE"));

        // The next series tells the draws again.
        QTest::keyClick(form.restart, Qt::Key_F8);
        QCOMPARE(description(form.solution[f.slotOf("BEERZ")]), QStringLiteral("Tirage : BEERZ"));
    }

    void theJudgingLightAndThePauseAreTold() {
        ScreenFixture f({"ABERR;ARBRE", "BEERZ;ZEBRE"});
        screens::Form1& form = *f.form;
        QTest::mouseClick(form.Command4, Qt::LeftButton); // the seconds criterion
        const TrainingState& state = form.training().state();
        QTest::mouseClick(form.solution[0], Qt::LeftButton);
        QTest::keyClicks(form.solution[0], state.entries[state.numeros[0]].solution);
        g_heard.clear();
        QTest::keyClick(form.solution[0], Qt::Key_Down); // judged on leaving the box
        QCOMPARE(name(form.voyant), QStringLiteral("Jugement : OK"));
        QCOMPARE(heard(form.voyant, QAccessible::NameChanged), 1);

        const QString before = name(form.Command5);
        QTest::mouseClick(form.Command5, Qt::LeftButton);
        QVERIFY(name(form.Command5) != before);
        QCOMPARE(heard(form.Command5, QAccessible::NameChanged), 1);
    }

    void tilesTellTheirPlaceAndLetter() {
        ScreenFixture f({"BEERZ;ZEBRE"});
        screens::Form1& form = *f.form;
        QCOMPARE(rack(form),
                 (QStringList{"Lettre 1 : B", "Lettre 2 : E", "Lettre 3 : E", "Lettre 4 : R",
                              "Lettre 5 : Z", "Lettre 6 : vide", "Lettre 7 : vide",
                              "Lettre 8 : vide", "Lettre 9 : vide"}));
        g_heard.clear();
        QTest::mouseClick(form.Command1[0], Qt::LeftButton);
        QTest::mouseClick(form.Command1[4], Qt::LeftButton);
        QCOMPARE(rack(form).first(5), (QStringList{"Lettre 1 : Z", "Lettre 2 : E", "Lettre 3 : E",
                                                   "Lettre 4 : R", "Lettre 5 : B"}));
        QCOMPARE(heard(form.Command1[0], QAccessible::NameChanged), 1);
        QCOMPARE(heard(form.Command1[4], QAccessible::NameChanged), 1);
        QCOMPARE(heard(form.Command1[2], QAccessible::NameChanged), 0);

        // The end of the list: " BRAVO! " on the tiles, no word left.
        QTest::keyClicks(form.solution[0], "ZEBRE");
        g_heard.clear();
        QTest::keyClick(form.solution[0], Qt::Key_F12);
        QCOMPARE(rack(form), (QStringList{"Lettre 1 : vide", "Lettre 2 : B", "Lettre 3 : R",
                                          "Lettre 4 : A", "Lettre 5 : V", "Lettre 6 : O",
                                          "Lettre 7 : !", "Lettre 8 : vide", "Lettre 9 : vide"}));
        QVERIFY(heard(form.Command1[1], QAccessible::NameChanged) >= 1);
        QCOMPARE(spoken(form.motsleft)->text(QAccessible::Value), QStringLiteral("0"));
        QVERIFY(heard(form.motsleft, QAccessible::TextUpdated) +
                    heard(form.motsleft, QAccessible::TextInserted) >=
                1);
    }

    void clocksAreReadWithoutATellingEachSecond() {
        ScreenFixture f({"ABERR;ARBRE"});
        screens::Form1& form = *f.form;
        QCOMPARE(name(form.temps), QStringLiteral("Temps restant de la série : 4:00"));
        g_heard.clear();
        for (int i = 0; i < 3; ++i) {
            form.timer1Tick();
            form.timer2Tick();
        }
        QCOMPARE(name(form.temps), QStringLiteral("Temps restant de la série : 3:57"));
        QCOMPARE(name(form.tempstot), QStringLiteral("Temps total : 0:00:03"));
        QCOMPARE(spoken(form.temps)->text(QAccessible::Value), QStringLiteral("3:57"));
        for (QWidget* clock :
             {static_cast<QWidget*>(form.temps), static_cast<QWidget*>(form.tempstot)}) {
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
        QVERIFY(!launcher.message->isVisible());
        launcher.fichier->setEditText("broken.txt");
        g_heard.clear();
        QTest::mouseClick(launcher.Command1, Qt::LeftButton);
        const QString said = QStringLiteral("La liste « broken.txt » est mal formée : la ligne 2 "
                                            "n'a pas de « ; » entre le tirage et la solution.");
        QCOMPARE(spoken(launcher.message)->role(), QAccessible::AlertMessage);
        QCOMPARE(name(launcher.message), said);
        QVERIFY(launcher.message->isVisible());
        QCOMPARE(heard(launcher.message, QAccessible::ObjectShow), 1);
        QCOMPARE(heard(launcher.message, QAccessible::NameChanged), 1);
        QCOMPARE(heard(launcher.message, QAccessible::Alert), 1);
        // The same message again is told again.
        g_heard.clear();
        QTest::mouseClick(launcher.Command1, Qt::LeftButton);
        QCOMPARE(heard(launcher.message, QAccessible::Alert), 1);

        // The farewell countdown is read, not told each second.
        QTest::mouseClick(launcher.quitter, Qt::LeftButton);
        launcher.Timer1->stop();
        g_heard.clear();
        launcher.timer1Tick();
        launcher.timer1Tick();
        QCOMPARE(name(launcher.Label2), QStringLiteral("Compte à rebours : 4"));
        QCOMPARE(heard(launcher.Label2, QAccessible::NameChanged), 0);
    }
};

QTEST_MAIN(TestSpoken)
#include "widget_spoken.moc"
