// The training screen: its controls as created, and a list started on it.

#include "entry/answerbox.h"
#include "entry/tilebutton.h"
#include "screens/colours.h"
#include "screens/fonts.h"
#include "screens/trainingscreen.h"
#include "support/controls.h"
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
using namespace tirages::training;
using tirages::test::ui;
using namespace tirages::screens;
using tirages::test::twips;
using namespace tirages::test::colours;

namespace {

struct Placed {
    const char* name;
    QWidget* control;
    QRect rect;
};

} // namespace

class TestTrainingScreen : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TrainingScreen> m_form;

    TrainingScreen& form() { return *m_form; }

    // Shows the screen and starts the fixture list `name` on it.
    void start(const QString& name) {
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        const lists::ListResult list = lists::readList(test::fixture(name));
        const auto* error = std::get_if<lists::ListError>(&list);
        QVERIFY2(!error, error ? qPrintable(error->message()) : "");
        form().start(*lists::listEntries(list));
    }

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void init() { m_form = std::make_unique<TrainingScreen>(test::countingSeeds()); }
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
            QCOMPARE(ui(form()).tirage[s]->geometry(), twips(tirageLeft[s / 10], top, 1095, 285));
            QCOMPARE(ui(form()).solution[s]->geometry(),
                     twips(solutionLeft[s / 10], top, 1095, 285));
            QVERIFY(ui(form()).tirage[s]->isReadOnly());
            QVERIFY(!ui(form()).solution[s]->isReadOnly());
            QCOMPARE(ui(form()).tirage[s]->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
            QCOMPARE(ui(form()).solution[s]->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
            QCOMPARE(test::background(ui(form()).tirage[s]), kLightCyan);
            QCOMPARE(test::background(ui(form()).solution[s]), kLightOrange);
            QVERIFY(ui(form()).tirage[s]->text().isEmpty() &&
                    ui(form()).solution[s]->text().isEmpty());
        }
        QCOMPARE(ui(form()).tirage[29]->pos(), QPoint(400, 328));
        QCOMPARE(ui(form()).solution[29]->pos(), QPoint(488, 328));
        const int frameLeft[] = {240, 3120, 5880};
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(ui(form()).Frame1[c]->geometry(), twips(frameLeft[c], 360, 2655, 5055));
            QVERIFY(ui(form()).Frame1[c]->title().isEmpty());
        }
    }

    void controlsStandWhereTheLayoutPutsThem() {
        TrainingScreen& f = form();
        const QList<Placed> placed = {
            {"restart", ui(f).restart, twips(600, 5640, 1455, 375)},
            {"corriger", ui(f).corriger, twips(6360, 5640, 1095, 375)},
            {"recherche", ui(f).recherche, twips(3480, 6690, 1215, 285)},
            {"valider", ui(f).valider, twips(4800, 6600, 975, 375)},
            {"Command2", ui(f).Command2, twips(8400, 4920, 135, 495)},
            {"Command5", ui(f).Command5, twips(7680, 6600, 975, 255)},
            {"Command3", ui(f).Command3, twips(7320, 0, 1455, 255)},
            {"Command4", ui(f).Command4, twips(120, 7440, 2775, 255)},
            {"seuiltxt", ui(f).seuiltxt, twips(1800, 7200, 255, 225)},
            {"motsleft", ui(f).motsleft, twips(1440, 6360, 495, 285)},
            {"Check1", ui(f).Check1, twips(7680, 5520, 255, 255)},
            {"temps", ui(f).temps, twips(8040, 5880, 495, 285)},
            {"tempstot", ui(f).tempstot, twips(8040, 6240, 735, 285)},
            {"quitter", ui(f).quitter, twips(7560, 7080, 1215, 495)},
        };
        for (const Placed& p : placed)
            QVERIFY2(p.control->geometry() == p.rect, p.name);
        for (int k = 0; k < kTiles; ++k)
            QCOMPARE(ui(f).Command1[k]->geometry(), twips(3000 + 360 * k, 5880, 375, 375));

        // Labels size themselves to their caption: only their place is fixed.
        const QList<Placed> labels = {
            {"police", ui(f).police, twips(7200, 0, 0, 0)},
            {"Label5", ui(f).Label5, twips(120, 7200, 0, 0)},
            {"Label6", ui(f).Label6, twips(2160, 7200, 0, 0)},
            {"Label4", ui(f).Label4, twips(240, 6360, 0, 0)},
            {"nbseries", ui(f).nbseries, twips(600, 6840, 0, 0)},
            {"voyant", ui(f).voyant, twips(3000, 7440, 0, 0)},
            {"score", ui(f).score, twips(6720, 6360, 0, 0)},
            {"tps", ui(f).tps, twips(6720, 6720, 0, 0)},
            {"Label3", ui(f).Label3, twips(8040, 5520, 0, 0)},
            {"Label1", ui(f).Label1, twips(7560, 5880, 0, 0)},
            {"Label2", ui(f).Label2, twips(7560, 6240, 0, 0)},
        };
        for (const Placed& p : labels)
            QVERIFY2(p.control->pos() == p.rect.topLeft(), p.name);
    }

    void controlsShowTheirInitialTextsAndStates() {
        TrainingScreen& f = form();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QCOMPARE(ui(f).restart->text(), QStringLiteral("Nouvelle série(F8)"));
        QVERIFY(!ui(f).restart->isEnabled());
        QCOMPARE(ui(f).corriger->text(), QStringLiteral("Corriger(F12)"));
        QVERIFY(!ui(f).corriger->isEnabled());
        QCOMPARE(ui(f).valider->text(), QStringLiteral("Valider"));
        QCOMPARE(ui(f).Command2->text(), QStringLiteral("Command2"));
        QVERIFY(ui(f).Command2->isDefault());
        QCOMPARE(ui(f).Command5->text(), QStringLiteral("Pause"));
        QCOMPARE(ui(f).Command3->text(), QStringLiteral("Changer de police"));
        QCOMPARE(ui(f).police->text(), QStringLiteral("1"));
        QCOMPARE(ui(f).Command4->text(), QStringLiteral("Changer critère"));
        QCOMPARE(ui(f).Label5->text(), QStringLiteral("Eliminer un mot après "));
        QCOMPARE(ui(f).seuiltxt->text(), QStringLiteral("1"));
        QCOMPARE(test::background(ui(f).seuiltxt), kLightMagenta);
        QCOMPARE(ui(f).Label6->text(), QStringLiteral("réussites."));
        QCOMPARE(ui(f).Label4->text(), QStringLiteral("Mots restants :"));
        QVERIFY(ui(f).motsleft->text().isEmpty());
        QVERIFY(!ui(f).motsleft->isEnabled());
        QCOMPARE(ui(f).nbseries->text(), QStringLiteral("0 série déjà réalisée"));
        QVERIFY(ui(f).voyant->text().isEmpty());
        QVERIFY(!ui(f).score->isVisible() && !ui(f).tps->isVisible());
        QCOMPARE(ui(f).Label3->text(), QStringLiteral("TEMPS"));
        QVERIFY(ui(f).Check1->isChecked());
        QVERIFY(ui(f).Check1->text().isEmpty());
        QCOMPARE(ui(f).Label1->text(), QStringLiteral("Série"));
        QCOMPARE(ui(f).temps->text(), QStringLiteral("4:00"));
        QCOMPARE(ui(f).Label2->text(), QStringLiteral("Total"));
        QCOMPARE(ui(f).tempstot->text(), QStringLiteral("0:00:00"));
        QCOMPARE(ui(f).quitter->text(), QStringLiteral("Sommaire"));
        QCOMPARE(test::background(ui(f).recherche), kLightOrange);
        for (auto* tile : ui(f).Command1) {
            QVERIFY(tile->text().isEmpty());
            QCOMPARE(test::background(tile), kLightBlue);
        }
        for (QTimer* timer : {ui(f).Timer1, ui(f).Timer2, ui(f).Timer3}) {
            QCOMPARE(timer->interval(), 1000);
            QVERIFY(!timer->isActive());
        }
    }

    void loadStepGivesTheWindowColourToFramesLabelsAndCheckBox() {
        TrainingScreen& f = form();
        const QList<QWidget*> copied = {
            ui(f).Frame1[0], ui(f).Frame1[1], ui(f).Frame1[2], ui(f).Check1, ui(f).Label1,
            ui(f).Label2,    ui(f).Label3,    ui(f).Label4,    ui(f).Label5, ui(f).Label6,
            ui(f).nbseries,  ui(f).score,     ui(f).police,    ui(f).tps,    ui(f).voyant};
        for (QWidget* control : copied) {
            QCOMPARE(test::background(control), kPeach);
            QVERIFY(control->autoFillBackground());
        }
    }

    void tilesShowTheirColourOnScreen() {
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        const QImage image = ui(form()).Command1[4]->grab().toImage();
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), kLightBlue);
    }

    void tabFollowsTheLayoutOrder() {
        TrainingScreen& f = form();
        QList<QWidget*> expected = {ui(f).Command2, ui(f).quitter, ui(f).tempstot, ui(f).temps,
                                    ui(f).Check1,   ui(f).valider, ui(f).recherche};
        for (int k = 7; k >= 0; --k)
            expected << ui(f).Command1[k];
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < 10; ++r)
                expected << ui(f).tirage[10 * c + r];
            for (int r = 0; r < 10; ++r)
                expected << ui(f).solution[10 * c + r];
        }
        // corriger, restart and motsleft are disabled before the first series.
        expected << ui(f).seuiltxt << ui(f).Command3 << ui(f).Command4 << ui(f).Command5
                 << ui(f).Command1[8] << ui(f).Command2;
        QCOMPARE(test::tabWalk(m_form.get(), ui(f).Command2, static_cast<int>(expected.size()) - 1),
                 expected);

        start("twelve.txt");
        const QList<QWidget*> afterSetUp = test::tabWalk(m_form.get(), ui(f).solution[29], 2);
        QCOMPARE(afterSetUp, (QList<QWidget*>{ui(f).solution[29], ui(f).corriger, ui(f).seuiltxt}));
    }

    void commencerShowsASeriesWithTheFocusInTheFirstAnswer() {
        TrainingScreen& f = form();
        f.setBusy();
        QCOMPARE(f.cursor().shape(), Qt::WaitCursor);
        start("twelve.txt");

        QCOMPARE(f.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(ui(f).motsleft->text(), QStringLiteral("12"));
        QVERIFY(ui(f).corriger->isEnabled());
        QVERIFY(!ui(f).restart->isEnabled());
        QVERIFY(!ui(f).score->isVisible() && !ui(f).tps->isVisible());
        QCOMPARE(test::background(ui(f).seuiltxt), rgb(Colour::SystemWindow));
        QCOMPARE(test::background(ui(f).temps), rgb(Colour::SystemWindow));
        QCOMPARE(f.focusWidget(), ui(f).solution[0]);
        QVERIFY(ui(f).Timer1->isActive());
        QVERIFY(ui(f).Timer2->isActive());
        QVERIFY(!ui(f).Timer3->isActive());

        const QStringList draws = {"ABERR", "ABELT", "ACHT",  "AEGLP", "AEGNR", "EIOPR",
                                   "EOPRT", "EORTU", "EFLRU", "BEMOR", "AEGNU", "ILOST"};
        QStringList shown;
        for (int s = 0; s < 12; ++s)
            shown << ui(f).tirage[s]->text();
        QCOMPARE(QSet<QString>(shown.begin(), shown.end()),
                 QSet<QString>(draws.begin(), draws.end()));
        for (int s = 12; s < kSlots; ++s) {
            QVERIFY(ui(f).tirage[s]->text().isEmpty());
            QVERIFY(ui(f).solution[s]->isEnabled());
        }
    }

    void anEmptyListStillRunsASeries() {
        start("empty.txt");
        QCOMPARE(ui(form()).motsleft->text(), QStringLiteral("0"));
        QVERIFY(ui(form()).corriger->isEnabled());
        QCOMPARE(form().focusWidget(), ui(form()).solution[0]);
        QVERIFY(ui(form()).Timer1->isActive());
        for (QLineEdit* box : ui(form()).tirage)
            QVERIFY(box->text().isEmpty());
    }

    void everyControlHasANameAScreenReaderCanRead() {
        start("twelve.txt");
        TrainingScreen& f = form();
        auto name = [](QWidget* w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        };
        auto role = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->role(); };
        QCOMPARE(name(ui(f).tirage[0]), QStringLiteral("Tirage 1"));
        QCOMPARE(name(ui(f).solution[29]), QStringLiteral("Réponse 30"));
        QCOMPARE(role(ui(f).solution[29]), QAccessible::EditableText);
        QCOMPARE(name(ui(f).Command1[0]),
                 QStringLiteral("Lettre 1 : ") + ui(f).Command1[0]->text());
        QCOMPARE(name(ui(f).Command1[8]), QStringLiteral("Lettre 9 : vide"));
        QCOMPARE(role(ui(f).Command1[8]), QAccessible::Button);
        QCOMPARE(name(ui(f).temps), QStringLiteral("Temps restant de la série : 4:00"));
        QCOMPARE(QAccessible::queryAccessibleInterface(ui(f).temps)->text(QAccessible::Value),
                 QStringLiteral("4:00"));
        QCOMPARE(name(ui(f).corriger), QStringLiteral("Corriger(F12)"));
        QCOMPARE(role(ui(f).Check1), QAccessible::CheckBox);
        QTest::keyClick(ui(f).solution[0], Qt::Key_F12);
        QVERIFY(name(ui(f).score).startsWith(QStringLiteral("Score de la série : 0/12")));
        for (QWidget* child : f.findChildren<QWidget*>()) {
            if (child->isVisible() && child->parentWidget() == &f)
                QVERIFY2(!name(child).isEmpty(), child->metaObject()->className());
        }
    }

    void f8OnTheDisabledRestartButtonDoesNothing() {
        start("twelve.txt");
        const auto series = form().training().state().slotEntry;
        QTest::keyClick(ui(form()).restart, Qt::Key_F8);
        QTest::mouseClick(ui(form()).restart, Qt::LeftButton);
        QCOMPARE(form().training().state().slotEntry, series);
        QVERIFY(ui(form()).corriger->isEnabled());
    }
};

QTEST_MAIN(TestTrainingScreen)
#include "widget_trainingscreen.moc"
