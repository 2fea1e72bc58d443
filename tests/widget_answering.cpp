// Answering on the training screen through real keys and clicks.

#include "support/controls.h"
#include "support/screenfixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>

using namespace tirages;
using namespace tirages::training;
using namespace tirages::test;

namespace {

const QStringList kList = {"ABCDEFG;GFEDCBA", "ABC;CBA", "EIPR+S;PRISE", "LMNO;MOLN"};

QString tileText(const screens::TrainingScreen& form) {
    QString text;
    for (const auto* tile : ui(form).Command1)
        text += tile->text();
    return text;
}

void typeChar(QWidget* box, int key, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, box, static_cast<Qt::Key>(key), text, Qt::NoModifier);
}

} // namespace

class TestAnswering : public QObject {
    Q_OBJECT

private slots:
    void typedLettersBecomeCapitals() {
        ScreenFixture f(kList);
        auto* box = ui(f.form).solution[f.slotOf("ABCDEFG")];
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, 'a');
        typeChar(box, Qt::Key_Eacute, QStringLiteral("é"));
        QTest::keyClick(box, '7');
        QTest::keyClicks(box, "bc");
        QCOMPARE(box->text(), QStringLiteral("Aé7BC"));
        QCOMPARE(f.beeps, 0);
    }

    void answersStopAtTheLengthOfTheirDraw() {
        ScreenFixture f(kList);
        auto* seven = ui(f.form).solution[f.slotOf("ABCDEFG")];
        QTest::mouseClick(seven, Qt::LeftButton);
        QTest::keyClicks(seven, "abcdefgh");
        QCOMPARE(seven->text(), QStringLiteral("ABCDEFG"));
        QCOMPARE(f.beeps, 1);

        // Z typed between A and B at the limit: the last letter goes.
        auto* three = ui(f.form).solution[f.slotOf("ABC")];
        QTest::mouseClick(three, Qt::LeftButton);
        QTest::keyClicks(three, "abc");
        QTest::keyClick(three, Qt::Key_Home);
        QTest::keyClick(three, Qt::Key_Right);
        QTest::keyClick(three, 'z');
        QCOMPARE(three->text(), QStringLiteral("AZB"));
        QCOMPARE(f.beeps, 2);

        // Pasted text keeps its case and is cut back one beep a letter.
        three->selectAll();
        QTest::keyClick(three, Qt::Key_Backspace);
        QApplication::clipboard()->setText(QStringLiteral("ABCDE"));
        QTest::keyClick(three, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(three->text(), QStringLiteral("ABC"));
        QCOMPARE(f.beeps, 4);
        three->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("xy"));
        QTest::keyClick(three, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(three->text(), QStringLiteral("xy"));

        // The draw "EIPR+S" counts its "+": six characters.
        auto* plus = ui(f.form).solution[f.slotOf("EIPR+S")];
        QTest::mouseClick(plus, Qt::LeftButton);
        QTest::keyClicks(plus, "prises");
        QCOMPARE(plus->text(), QStringLiteral("PRISES"));
        QCOMPARE(f.beeps, 4);
    }

    void emptySlotsRefuseEveryCharacter() {
        ScreenFixture f(kList);
        auto* box = ui(f.form).solution[20];
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, "ab1");
        typeChar(box, Qt::Key_Eacute, QStringLiteral("é"));
        QVERIFY(box->text().isEmpty());
        QCOMPARE(f.beeps, 4);
    }

    void arrowsAndEnterCycleThroughTheBoxes() {
        ScreenFixture f(kList);
        const auto s = ui(f.form).solution;
        QCOMPARE(f.focused(), s[0]);
        QTest::keyClick(s[0], Qt::Key_Up);
        QCOMPARE(f.focused(), s[29]);
        QTest::keyClick(s[29], Qt::Key_Down);
        QCOMPARE(f.focused(), s[0]);
        QTest::keyClick(s[0], Qt::Key_Up);
        QTest::keyClick(s[29], Qt::Key_Return);
        QCOMPARE(f.focused(), s[0]);
        QTest::keyClick(s[0], Qt::Key_Enter);
        QCOMPARE(f.focused(), s[1]);
        QTest::keyClick(s[1], Qt::Key_Down);
        QCOMPARE(f.focused(), s[2]);
        QCOMPARE(f.form->training().state().currentSlot, 2);
        QTest::mouseClick(ui(f.form).Command2, Qt::LeftButton);
        QCOMPARE(f.focused(), s[3]);
    }

    void f12AndF8WorkOnlyInTheirPhases() {
        ScreenFixture f(kList);
        auto* box = ui(f.form).solution[0];
        const QString draw = ui(f.form).tirage[0]->text();
        QTest::keyClick(box, Qt::Key_F8);
        QVERIFY(ui(f.form).corriger->isEnabled());
        QCOMPARE(ui(f.form).tirage[0]->text(), draw);

        QTest::keyClick(box, Qt::Key_F12, Qt::ShiftModifier);
        QVERIFY(!ui(f.form).corriger->isEnabled());
        QVERIFY(ui(f.form).restart->isEnabled());
        QCOMPARE(ui(f.form).nbseries->text(), QStringLiteral("1 série(s) déjà réalisée(s)."));
        QTest::keyClick(box, Qt::Key_F12);
        QCOMPARE(ui(f.form).nbseries->text(), QStringLiteral("1 série(s) déjà réalisée(s)."));

        QTest::keyClick(box, Qt::Key_F8);
        QVERIFY(ui(f.form).corriger->isEnabled());
        QVERIFY(!ui(f.form).restart->isEnabled());
        QVERIFY(ui(f.form).solution[0]->text().isEmpty());
    }

    void f8OnTheRestartButton() {
        ScreenFixture f(kList);
        QTest::mouseClick(ui(f.form).corriger, Qt::LeftButton);
        QTest::keyClick(ui(f.form).restart, Qt::Key_F7);
        QVERIFY(ui(f.form).restart->isEnabled());
        QTest::keyClick(ui(f.form).restart, Qt::Key_F8);
        QVERIFY(!ui(f.form).restart->isEnabled());
        QVERIFY(ui(f.form).corriger->isEnabled());
        QCOMPARE(f.focused(), ui(f.form).solution[0]);
    }

    void theCurrentSlotIsMarkedAndItsDrawLaidOnTheTiles() {
        ScreenFixture f(kList);
        const int slot = f.slotOf("EIPR+S");
        QTest::mouseClick(ui(f.form).solution[slot], Qt::LeftButton);
        for (int s = 0; s < kSlots; ++s) {
            QCOMPARE(f.colourOf(ui(f.form).tirage[s]), s == slot ? kLightGreen : kLightCyan);
            QCOMPARE(f.colourOf(ui(f.form).solution[s]), s == slot ? kLightYellow : kLightOrange);
        }
        QCOMPARE(tileText(*f.form), QStringLiteral("EIPRS"));
        QTest::mouseClick(ui(f.form).solution[f.slotOf("LMNO")], Qt::LeftButton);
        QCOMPARE(tileText(*f.form), QStringLiteral("LMNO"));
        // An empty slot leaves the tiles as they were.
        QTest::mouseClick(ui(f.form).solution[25], Qt::LeftButton);
        QCOMPARE(tileText(*f.form), QStringLiteral("LMNO"));
        QCOMPARE(f.colourOf(ui(f.form).solution[25]), kLightYellow);
    }

    void tilesExchangeUnderTheMouse() {
        ScreenFixture f(kList);
        QTest::mouseClick(ui(f.form).solution[f.slotOf("ABCDEFG")], Qt::LeftButton);
        auto* two = ui(f.form).Command1[2];
        auto* five = ui(f.form).Command1[5];
        const int twoX = two->x();
        const int fiveX = five->x();
        QTest::mouseClick(two, Qt::LeftButton);
        QTest::mouseClick(five, Qt::LeftButton);
        QCOMPARE(two->x(), fiveX);
        QCOMPARE(five->x(), twoX);
        QCOMPARE(two->text(), QStringLiteral("C"));
        // The answer box being worked on stays marked.
        const int slot = f.slotOf("ABCDEFG");
        QCOMPARE(f.colourOf(ui(f.form).solution[slot]), kLightYellow);
        QCOMPARE(f.colourOf(ui(f.form).tirage[slot]), kLightCyan);
        // Back in the box: letters at home again.
        QTest::mouseClick(ui(f.form).solution[slot], Qt::LeftButton);
        QCOMPARE(two->x(), twoX);
    }

    void criterionButtonSwitchesCaptionsAndPlaces() {
        ScreenFixture f(kList);
        auto& form = *f.form;
        QTest::mouseClick(ui(form).Command4, Qt::LeftButton);
        QCOMPARE(ui(form).Label5->text(), QStringLiteral("Eliminer un mot trouvé en moins de"));
        QCOMPARE(ui(form).seuiltxt->text(), QStringLiteral("5"));
        QCOMPARE(ui(form).seuiltxt->x(), 180);
        QCOMPARE(ui(form).Label6->text(), QStringLiteral("secondes."));
        QCOMPARE(ui(form).Label6->x(), 204);
        QTest::mouseClick(ui(form).Command4, Qt::LeftButton);
        QCOMPARE(ui(form).Label5->text(), QStringLiteral("Eliminer un mot après"));
        QCOMPARE(ui(form).seuiltxt->text(), QStringLiteral("1"));
        QCOMPARE(ui(form).seuiltxt->x(), 120);
        QCOMPARE(ui(form).Label6->text(), QStringLiteral("réussites."));
        QCOMPARE(ui(form).Label6->x(), 144);
    }

    void aFocusLossJudgesAgainstTheThreshold_data() {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("judgement");
        QTest::newRow("4 ticks: fast") << 4 << "OK";
        QTest::newRow("5 ticks: slow") << 5 << "NO";
    }
    void aFocusLossJudgesAgainstTheThreshold() {
        QFETCH(int, ticks);
        QFETCH(QString, judgement);
        ScreenFixture f(kList);
        auto& form = *f.form;
        QTest::mouseClick(ui(form).Command4, Qt::LeftButton);
        const int slot = f.slotOf("LMNO");
        QTest::mouseClick(ui(form).solution[slot], Qt::LeftButton);
        QVERIFY(ui(form).Timer3->isActive());
        QTest::keyClicks(ui(form).solution[slot], "moln");
        for (int i = 0; i < ticks; ++i)
            form.stopwatchTick();
        QTest::keyClick(ui(form).solution[slot], Qt::Key_Down);
        QCOMPARE(ui(form).voyant->text(), judgement);
        QCOMPARE(form.training().state().verdicts[slot],
                 judgement == "OK" ? FastVerdict::InTime : FastVerdict::Failed);
        QCOMPARE(f.colourOf(ui(form).solution[slot]), kLightOrange);
    }

    void switchingWindowsJudgesNothing() {
        ScreenFixture f(kList);
        auto& form = *f.form;
        QTest::mouseClick(ui(form).Command4, Qt::LeftButton);
        QTest::mouseClick(ui(form).solution[1], Qt::LeftButton);
        QTest::mouseClick(ui(form).solution[0], Qt::LeftButton);
        const QString judgement = ui(form).voyant->text();
        form.stopwatchTick();

        QWidget other;
        other.setGeometry(700, 100, 100, 100);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        QCOMPARE(f.focused(), ui(form).solution[0]);
        QCOMPARE(form.training().state().verdicts[0], FastVerdict::NotJudged);
        QCOMPARE(ui(form).voyant->text(), judgement);
        QCOMPARE(form.training().state().secondsInBox, 1); // not started again

        // Hidden and shown again: nothing judged either.
        form.hide();
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.training().state().verdicts[0], FastVerdict::NotJudged);
        QCOMPARE(form.training().state().secondsInBox, 1);
    }

    // A draw of three words, through the window with the mouse and the keys:
    // « Valider » adds a word, the line under the tiles shows the whole
    // answer, and the correction reaches the score, the box and the reader.
    void aDrawOfThreeWords() {
        ScreenFixture f({"ACERT;CARTE", "ABERR;ARBRE", "ACERT;ECART", "ACERT;TRACE"});
        const auto words = ui(f.form).motsreponse;
        const int s = f.slotOf("ACERT ×3");
        QVERIFY(s >= 0);
        auto* box = ui(f.form).solution[s];
        QCOMPARE(box->accessibleDescription(), QStringLiteral("Tirage : ACERT, 3 mots"));
        QVERIFY(!words->isVisible());
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, "trace ");
        QTest::mouseClick(ui(f.form).recherche, Qt::LeftButton);
        QTest::keyClicks(ui(f.form).recherche, "crate");
        QTest::mouseClick(ui(f.form).valider, Qt::LeftButton);
        QCOMPARE(box->text(), QStringLiteral("TRACE CRATE"));
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClicks(box, " ecart");
        QVERIFY(words->isVisible());
        QCOMPARE(words->text(), QStringLiteral("TRACE CRATE ECART"));
        QTest::keyClick(box, Qt::Key_F12);

        QCOMPARE(ui(f.form).score->text(), QStringLiteral("0/2 · 2/4 mots"));
        QCOMPARE(f.colourOf(box), kLightRed);
        QCOMPARE(ui(f.form).tirage[s]->text(), QStringLiteral("CARTE"));
        QCOMPARE(box->accessibleDescription(),
                 QStringLiteral("Faux : 2 mots sur 3, manque : CARTE, en trop : CRATE"));
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(words->text(), QStringLiteral("Manque : CARTE · En trop : CRATE"));
    }
};

QTEST_MAIN(TestAnswering)
#include "widget_answering.moc"
