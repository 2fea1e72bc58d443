// The training screen: its controls as created, and a list started on it.

#include "entry/answerbox.h"
#include "entry/tilebutton.h"
#include "screens/colours.h"
#include "screens/fonts.h"
#include "screens/form1.h"
#include "support/testsupport.h"
#include "support/widgetsupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace tirages;
using namespace tirages::screens;
using tirages::test::twips;

namespace {

const QColor kPeach(255, 224, 192);
const QColor kLightCyan(128, 255, 255);
const QColor kLightOrange(255, 192, 128);
const QColor kLightBlue(192, 192, 255);
const QColor kLightMagenta(255, 128, 255);

struct Placed {
    const char* name;
    QWidget* control;
    QRect rect;
};

} // namespace

class TestTrainingScreen : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Form1> m_form;

    Form1& form() { return *m_form; }

    // Shows the screen and starts the fixture list `name` on it.
    void start(const QString& name) {
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        const lists::ListResult list = lists::readList(test::fixture(name));
        const auto* error = std::get_if<lists::ListError>(&list);
        QVERIFY2(!error, error ? qPrintable(error->message()) : "");
        form().commencer(*lists::listEntries(list));
    }

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void init() { m_form = std::make_unique<Form1>(test::countingSeeds()); }
    void cleanup() { m_form.reset(); }

    void windowHasItsCaptionSizeAndPlace() {
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QCOMPARE(form().windowTitle(), QStringLiteral("ENTRAINEMENT SCRABBLE - Lettres Chères"));
        QCOMPARE(form().geometry(), twips(1635, 675, 8865, 7800));
        QCOMPARE(test::background(m_form.get()), kPeach);
        QCOMPARE(form().font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(form().font().pointSize(), 8);
    }

    void slotsLieInThreeColumnsOfTen() {
        for (int s = 0; s < kSlots; ++s) {
            const int top = 600 + 480 * (s % 10);
            const int tirageLeft[] = {360, 3240, 6000};
            const int solutionLeft[] = {1680, 4560, 7320};
            QCOMPARE(form().tirage[s]->geometry(), twips(tirageLeft[s / 10], top, 1095, 285));
            QCOMPARE(form().solution[s]->geometry(), twips(solutionLeft[s / 10], top, 1095, 285));
            QVERIFY(form().tirage[s]->isReadOnly());
            QVERIFY(!form().solution[s]->isReadOnly());
            QCOMPARE(form().tirage[s]->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
            QCOMPARE(form().solution[s]->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
            QCOMPARE(test::background(form().tirage[s]), kLightCyan);
            QCOMPARE(test::background(form().solution[s]), kLightOrange);
            QVERIFY(form().tirage[s]->text().isEmpty() && form().solution[s]->text().isEmpty());
        }
        QCOMPARE(form().tirage[29]->pos(), QPoint(400, 328));
        QCOMPARE(form().solution[29]->pos(), QPoint(488, 328));
        const int frameLeft[] = {240, 3120, 5880};
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(form().Frame1[c]->geometry(), twips(frameLeft[c], 360, 2655, 5055));
            QVERIFY(form().Frame1[c]->title().isEmpty());
        }
    }

    void controlsStandWhereTheLayoutPutsThem() {
        Form1& f = form();
        const QList<Placed> placed = {
            {"restart", f.restart, twips(600, 5640, 1455, 375)},
            {"corriger", f.corriger, twips(6360, 5640, 1095, 375)},
            {"recherche", f.recherche, twips(3480, 6690, 1215, 285)},
            {"valider", f.valider, twips(4800, 6600, 975, 375)},
            {"Command2", f.Command2, twips(8400, 4920, 135, 495)},
            {"Command5", f.Command5, twips(7680, 6600, 975, 255)},
            {"Command3", f.Command3, twips(7320, 0, 1455, 255)},
            {"Command4", f.Command4, twips(120, 7440, 2775, 255)},
            {"seuiltxt", f.seuiltxt, twips(1800, 7200, 255, 225)},
            {"motsleft", f.motsleft, twips(1440, 6360, 495, 285)},
            {"Check1", f.Check1, twips(7680, 5520, 255, 255)},
            {"temps", f.temps, twips(8040, 5880, 495, 285)},
            {"tempstot", f.tempstot, twips(8040, 6240, 735, 285)},
            {"quitter", f.quitter, twips(7560, 7080, 1215, 495)},
        };
        for (const Placed& p : placed)
            QVERIFY2(p.control->geometry() == p.rect, p.name);
        for (int k = 0; k < kTiles; ++k)
            QCOMPARE(f.Command1[k]->geometry(), twips(3000 + 360 * k, 5880, 375, 375));

        // Labels size themselves to their caption: only their place is fixed.
        const QList<Placed> labels = {
            {"police", f.police, twips(7200, 0, 0, 0)},
            {"Label5", f.Label5, twips(120, 7200, 0, 0)},
            {"Label6", f.Label6, twips(2160, 7200, 0, 0)},
            {"Label4", f.Label4, twips(240, 6360, 0, 0)},
            {"nbseries", f.nbseries, twips(600, 6840, 0, 0)},
            {"voyant", f.voyant, twips(3000, 7440, 0, 0)},
            {"score", f.score, twips(6720, 6360, 0, 0)},
            {"tps", f.tps, twips(6720, 6720, 0, 0)},
            {"Label3", f.Label3, twips(8040, 5520, 0, 0)},
            {"Label1", f.Label1, twips(7560, 5880, 0, 0)},
            {"Label2", f.Label2, twips(7560, 6240, 0, 0)},
        };
        for (const Placed& p : labels)
            QVERIFY2(p.control->pos() == p.rect.topLeft(), p.name);
    }

    void controlsShowTheirInitialTextsAndStates() {
        Form1& f = form();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QCOMPARE(f.restart->text(), QStringLiteral("Nouvelle série(F8)"));
        QVERIFY(!f.restart->isEnabled());
        QCOMPARE(f.corriger->text(), QStringLiteral("Corriger(F12)"));
        QVERIFY(!f.corriger->isEnabled());
        QCOMPARE(f.valider->text(), QStringLiteral("Valider"));
        QCOMPARE(f.Command2->text(), QStringLiteral("Command2"));
        QVERIFY(f.Command2->isDefault());
        QCOMPARE(f.Command5->text(), QStringLiteral("Pause"));
        QCOMPARE(f.Command3->text(), QStringLiteral("Changer de police"));
        QCOMPARE(f.police->text(), QStringLiteral("1"));
        QCOMPARE(f.Command4->text(), QStringLiteral("Changer critère"));
        QCOMPARE(f.Label5->text(), QStringLiteral("Eliminer un mot après "));
        QCOMPARE(f.seuiltxt->text(), QStringLiteral("1"));
        QCOMPARE(test::background(f.seuiltxt), kLightMagenta);
        QCOMPARE(f.Label6->text(), QStringLiteral("réussites."));
        QCOMPARE(f.Label4->text(), QStringLiteral("Mots restants :"));
        QVERIFY(f.motsleft->text().isEmpty());
        QVERIFY(!f.motsleft->isEnabled());
        QCOMPARE(f.nbseries->text(), QStringLiteral("0 série déjà réalisée"));
        QVERIFY(f.voyant->text().isEmpty());
        QVERIFY(!f.score->isVisible() && !f.tps->isVisible());
        QCOMPARE(f.Label3->text(), QStringLiteral("TEMPS"));
        QVERIFY(f.Check1->isChecked());
        QVERIFY(f.Check1->text().isEmpty());
        QCOMPARE(f.Label1->text(), QStringLiteral("Série"));
        QCOMPARE(f.temps->text(), QStringLiteral("4:00"));
        QCOMPARE(f.Label2->text(), QStringLiteral("Total"));
        QCOMPARE(f.tempstot->text(), QStringLiteral("0:00:00"));
        QCOMPARE(f.quitter->text(), QStringLiteral("Sommaire"));
        QCOMPARE(test::background(f.recherche), kLightOrange);
        for (auto* tile : f.Command1) {
            QVERIFY(tile->text().isEmpty());
            QCOMPARE(test::background(tile), kLightBlue);
        }
        for (QTimer* timer : {f.Timer1, f.Timer2, f.Timer3}) {
            QCOMPARE(timer->interval(), 1000);
            QVERIFY(!timer->isActive());
        }
    }

    void loadStepGivesTheWindowColourToFramesLabelsAndCheckBox() {
        Form1& f = form();
        const QList<QWidget*> copied = {f.Frame1[0], f.Frame1[1], f.Frame1[2], f.Check1, f.Label1,
                                        f.Label2,    f.Label3,    f.Label4,    f.Label5, f.Label6,
                                        f.nbseries,  f.score,     f.police,    f.tps,    f.voyant};
        for (QWidget* control : copied) {
            QCOMPARE(test::background(control), kPeach);
            QVERIFY(control->autoFillBackground());
        }
    }

    void tilesShowTheirColourOnScreen() {
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        const QImage image = form().Command1[4]->grab().toImage();
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), kLightBlue);
    }

    void tabFollowsTheLayoutOrder() {
        Form1& f = form();
        QList<QWidget*> expected = {f.Command2, f.quitter, f.tempstot, f.temps,
                                    f.Check1,   f.valider, f.recherche};
        for (int k = 7; k >= 0; --k)
            expected << f.Command1[k];
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < 10; ++r)
                expected << f.tirage[10 * c + r];
            for (int r = 0; r < 10; ++r)
                expected << f.solution[10 * c + r];
        }
        // corriger, restart and motsleft are disabled before the first series.
        expected << f.seuiltxt << f.Command3 << f.Command4 << f.Command5 << f.Command1[8]
                 << f.Command2;
        QCOMPARE(test::tabWalk(m_form.get(), f.Command2, static_cast<int>(expected.size()) - 1),
                 expected);

        start("twelve.txt");
        const QList<QWidget*> afterSetUp = test::tabWalk(m_form.get(), f.solution[29], 2);
        QCOMPARE(afterSetUp, (QList<QWidget*>{f.solution[29], f.corriger, f.seuiltxt}));
    }

    void commencerShowsASeriesWithTheFocusInTheFirstAnswer() {
        Form1& f = form();
        f.setBusy();
        QCOMPARE(f.cursor().shape(), Qt::WaitCursor);
        start("twelve.txt");

        QCOMPARE(f.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(f.motsleft->text(), QStringLiteral("12"));
        QVERIFY(f.corriger->isEnabled());
        QVERIFY(!f.restart->isEnabled());
        QVERIFY(!f.score->isVisible() && !f.tps->isVisible());
        QCOMPARE(test::background(f.seuiltxt), rgb(Colour::SystemWindow));
        QCOMPARE(test::background(f.temps), rgb(Colour::SystemWindow));
        QCOMPARE(f.focusWidget(), f.solution[0]);
        QVERIFY(f.Timer1->isActive());
        QVERIFY(f.Timer2->isActive());
        QVERIFY(!f.Timer3->isActive());

        const QStringList draws = {"ABERR", "ABELT", "ACHT",  "AEGLP", "AEGNR", "EIOPR",
                                   "EOPRT", "EORTU", "EFLRU", "BEMOR", "AEGNU", "ILOST"};
        QStringList shown;
        for (int s = 0; s < 12; ++s)
            shown << f.tirage[s]->text();
        QCOMPARE(QSet<QString>(shown.begin(), shown.end()),
                 QSet<QString>(draws.begin(), draws.end()));
        for (int s = 12; s < kSlots; ++s) {
            QVERIFY(f.tirage[s]->text().isEmpty());
            QVERIFY(f.solution[s]->isEnabled());
        }
    }

    void anEmptyListStillRunsASeries() {
        start("empty.txt");
        QCOMPARE(form().motsleft->text(), QStringLiteral("0"));
        QVERIFY(form().corriger->isEnabled());
        QCOMPARE(form().focusWidget(), form().solution[0]);
        QVERIFY(form().Timer1->isActive());
        for (QLineEdit* box : form().tirage)
            QVERIFY(box->text().isEmpty());
    }

    void everyControlHasANameAScreenReaderCanRead() {
        start("twelve.txt");
        Form1& f = form();
        auto name = [](QWidget* w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        };
        auto role = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->role(); };
        QCOMPARE(name(f.tirage[0]), QStringLiteral("Tirage 1"));
        QCOMPARE(name(f.solution[29]), QStringLiteral("Réponse 30"));
        QCOMPARE(role(f.solution[29]), QAccessible::EditableText);
        QCOMPARE(name(f.Command1[0]), QStringLiteral("Lettre 1 : ") + f.Command1[0]->text());
        QCOMPARE(name(f.Command1[8]), QStringLiteral("Lettre 9 : vide"));
        QCOMPARE(role(f.Command1[8]), QAccessible::Button);
        QCOMPARE(name(f.temps), QStringLiteral("Temps restant de la série : 4:00"));
        QCOMPARE(QAccessible::queryAccessibleInterface(f.temps)->text(QAccessible::Value),
                 QStringLiteral("4:00"));
        QCOMPARE(name(f.corriger), QStringLiteral("Corriger(F12)"));
        QCOMPARE(role(f.Check1), QAccessible::CheckBox);
        QTest::keyClick(f.solution[0], Qt::Key_F12);
        QVERIFY(name(f.score).startsWith(QStringLiteral("Score de la série : 0/12")));
        for (QWidget* child : f.findChildren<QWidget*>()) {
            if (child->isVisible() && child->parentWidget() == &f)
                QVERIFY2(!name(child).isEmpty(), child->metaObject()->className());
        }
    }

    void f8OnTheDisabledRestartButtonDoesNothing() {
        start("twelve.txt");
        const auto series = form().training().state().numeros;
        QTest::keyClick(form().restart, Qt::Key_F8);
        QTest::mouseClick(form().restart, Qt::LeftButton);
        QCOMPARE(form().training().state().numeros, series);
        QVERIFY(form().corriger->isEnabled());
    }
};

QTEST_MAIN(TestTrainingScreen)
#include "widget_trainingscreen.moc"
