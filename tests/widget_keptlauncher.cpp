// The launcher with trainings kept across runs, through real clicks: what
// needs a window (the dialogs, the focus, the controls shown); what the
// launcher decides is tested without one in core_sittings.

#include "entry/answerbox.h"
#include "progress/store.h"
#include "screens/launcher.h"
#include "screens/trainingscreen.h"
#include "session/sittings.h"
#include "support/controls.h"
#include "support/launchersupport.h"
#include "support/progresssupport.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

using namespace tirages;
using namespace tirages::training;
using tirages::test::ui;
using namespace tirages::screens;

namespace {

// Answers the question box that "LANCER" opens with `key`, once it is up.
void answerTheQuestionWith(Qt::Key key, QString* asked) {
    QTimer::singleShot(0, [key, asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        *asked = box->text();
        QTest::keyClick(box, key);
    });
}

struct KeptLauncher {
    explicit KeptLauncher(const QString& database)
        : parts({}), form([] { return std::make_unique<TrainingScreen>(test::countingSeeds()); },
                          parts.sittings, parts.carrying, test::systemNow) {
        parts.sittings.useStore(progress::Store::open(database, test::systemNow));
        form.refresh();
        form.show();
    }
    void choose(const QString& text) { ui(form).fichier->setEditText(text); }
    TrainingScreen& lancer() {
        QTest::mouseClick(ui(form).Command1, Qt::LeftButton);
        return *form.trainingScreen();
    }

    test::LauncherParts parts;
    screens::Launcher form;
};

} // namespace

class TestKeptLauncher : public QObject {
    Q_OBJECT

private slots:
    // « Parcourir… » opens next time, in another run, in the folder of the
    // file chosen; in the home folder when that folder is gone.
    void theFileDialogOpensWhereAListWasChosenInAnEarlierRun() {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        test::WorkingFolder cwd;
        cwd.write("listes/mots.txt", "arbre\n");
        QTemporaryDir data;
        const QString database = data.filePath("tirages.sqlite");
        // Where a launcher of a new run opens the dialog, which `choose` then
        // closes on that file, or Escape leaves.
        const auto openedIn = [&](const QString& choose) {
            KeptLauncher l(database);
            QTest::mouseClick(ui(l.form).parcourir, Qt::LeftButton);
            auto* dialog = l.form.findChild<QFileDialog*>();
            if (!dialog)
                return QStringLiteral("no dialog");
            const QString folder = dialog->directory().canonicalPath();
            if (!choose.isEmpty())
                dialog->selectFile(choose);
            QTest::keyClick(dialog->findChild<QLineEdit*>("fileNameEdit"),
                            choose.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
            return dialog->isVisible() ? QStringLiteral("still open") : folder;
        };
        const QString home = QDir(QDir::homePath()).canonicalPath();
        QCOMPARE(openedIn(cwd.path() + "/listes/mots.txt"), home);
        QCOMPARE(openedIn({}), QDir(cwd.path() + "/listes").canonicalPath());
        QDir(cwd.path() + "/listes").removeRecursively();
        QCOMPARE(openedIn({}), home);
    }

    void aKeptTrainingIsOfferedAndAskedAbout() {
        test::WorkingFolder cwd;
        cwd.write("trois.txt", "AB;AB\r\nCD;CD\r\nEF;EF\r\n");
        cwd.write("autre.txt", "GH;GH\r\n");
        QTemporaryDir data;
        KeptLauncher l(data.filePath("tirages.sqlite"));
        // Nothing kept, nothing corrected: the launcher as it always was, and
        // "LANCER" asks nothing.
        l.choose("trois.txt");
        QVERIFY(!ui(l.form).progress->isVisible() && !ui(l.form).continuer->isVisible());
        QTest::mouseClick(ui(l.lancer()).quitter, Qt::LeftButton);
        QVERIFY(!ui(l.form).progress->isVisible() && !ui(l.form).continuer->isVisible());
        TrainingScreen& screen = l.lancer();
        QVERIFY(screen.isVisible());

        QTest::keyClicks(ui(screen).solution[screen.training().state().focus],
                         ui(screen).tirage[0]->text().toLower());
        QTest::keyClick(ui(screen).solution[0], Qt::Key_F12);
        QTest::mouseClick(ui(screen).quitter, Qt::LeftButton);
        QVERIFY(l.form.isVisible());
        QCOMPARE(ui(l.form).progress->text(),
                 QStringLiteral("En cours : 2 mots restants sur 3 · 1 série · 0 min"));
        QVERIFY(ui(l.form).continuer->isVisible());

        // The line follows the text of the list box.
        l.choose("autre.txt");
        QVERIFY(!ui(l.form).progress->isVisible() && !ui(l.form).continuer->isVisible());
        l.choose("trois.txt");
        QVERIFY(ui(l.form).continuer->isVisible());

        // "LANCER" asks first; Enter keeps the training.
        QString asked;
        answerTheQuestionWith(Qt::Key_Return, &asked);
        QTest::mouseClick(ui(l.form).Command1, Qt::LeftButton);
        QVERIFY(asked.startsWith(QStringLiteral("Recommencer « trois.txt » ?")));
        QVERIFY(l.form.isVisible() && !screen.isVisible());

        // « Continuer » takes up the two entries left.
        QTest::mouseClick(ui(l.form).continuer, Qt::LeftButton);
        QVERIFY(screen.isVisible());
        QCOMPARE(screen.focusWidget(), ui(screen).solution[0]); // typing goes there
        QCOMPARE(screen.training().state().entryCount(), 2);
        QTest::mouseClick(ui(screen).quitter, Qt::LeftButton);

        // The hidden screen's countdown corrects the series: the line follows.
        for (int tick = 0; tick < kSeriesSeconds; ++tick)
            screen.countdownTick();
        QCOMPARE(ui(l.form).progress->text(),
                 QStringLiteral("En cours : 2 mots restants sur 3 · 2 séries · 0 min"));

        // « Recommencer » starts the list afresh.
        answerTheQuestionWith(Qt::Key_Escape, &asked);
        QTest::mouseClick(ui(l.form).Command1, Qt::LeftButton);
        QVERIFY(!screen.isVisible());
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            for (QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>{})
                if (button->text() == QStringLiteral("Recommencer"))
                    QTest::mouseClick(button, Qt::LeftButton);
        });
        TrainingScreen& again = l.lancer();
        QVERIFY(again.isVisible());
        QCOMPARE(again.training().state().successCounts(), (QList<qint32>{0, 0, 0}));
    }

    void aStoreThatCannotKeepIsSaidOnceAndTrainsAllTheSame() {
        test::WorkingFolder cwd;
        cwd.write("un.txt", "AB;AB\r\nCD;CD\r\n");
        QDir().mkpath("occupied.sqlite");
        KeptLauncher l(QDir::current().absoluteFilePath("occupied.sqlite"));
        QVERIFY(ui(l.form).message->text().startsWith(
            QStringLiteral("Les entraînements ne pourront pas être gardés")));
        l.choose("un.txt");
        QVERIFY(ui(l.form).message->text().isEmpty()); // said once
        TrainingScreen& screen = l.lancer();
        QVERIFY(screen.isVisible());
        QTest::keyClick(ui(screen).solution[0], Qt::Key_F12);
        QTest::mouseClick(ui(screen).quitter, Qt::LeftButton);
        QVERIFY(l.form.isVisible());
        QVERIFY(!ui(l.form).continuer->isVisible());
        QVERIFY(ui(l.form).message->text().isEmpty());
    }

    // Another program holds the database when the program ends: the player
    // is asked, and « Réessayer » tries again until the series are kept.
    void seriesNotKeptAtTheEndAreTriedAgainWhenAsked() {
        test::WorkingFolder cwd;
        cwd.write("un.txt", "AB;AB\r\nCD;CD\r\n");
        const QString database = QDir::current().absoluteFilePath("tirages.sqlite");
        KeptLauncher l(database);
        l.choose("un.txt");
        TrainingScreen& screen = l.lancer();
        test::Holder holder(database);
        QTest::keyClick(ui(screen).solution[0], Qt::Key_F12);
        QTest::mouseClick(ui(screen).quitter, Qt::LeftButton);
        QStringList asked;
        std::function<void()> answer = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return QTimer::singleShot(10, answer);
            QStringList buttons;
            for (QAbstractButton* button : box->buttons())
                buttons << button->text();
            asked << box->text() + " [" + buttons.join(", ") + "]";
            if (asked.size() == 2) // the other program lets the database go
                holder.letGo();
            QTest::mouseClick(box->buttons().at(buttons.indexOf("Réessayer")), Qt::LeftButton);
            if (asked.size() == 1)
                QTimer::singleShot(10, answer);
        };
        QTimer::singleShot(0, answer);
        QSignalSpy ended(&l.form, &Launcher::programEnded);
        l.form.close();
        QCOMPARE(ended.count(), 1);
        QCOMPARE(asked.size(), 2);
        QVERIFY2(
            asked[0].startsWith("Les dernières séries n'ont pas pu être gardées : le fichier des "
                                "entraînements est occupé"),
            qPrintable(asked[0]));
        QVERIFY2(asked[0].contains("Réessayer") && asked[0].contains("Quitter sans les garder"),
                 qPrintable(asked[0]));
        QCOMPARE(test::openStore(database)->trainings().summary(test::list("un.txt"))->seriesDone,
                 1);
    }
};

QTEST_MAIN(TestKeptLauncher)
#include "widget_keptlauncher.moc"
