// The launcher with trainings kept across runs, through real clicks: the line
// under "LANCER", « Continuer », the question before a kept training is
// forgotten, a finished list, a changed file, and the messages of a store that
// cannot keep anything.

#include "entry/answerbox.h"
#include "screens/form1.h"
#include "screens/form2.h"
#include "screens/keeper.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace tirages;
using namespace tirages::screens;

namespace {

// Answers the question box that "LANCER" opens with the button captioned `caption`.
void answerTheQuestionWith(const QString& caption, QString* asked) {
    QTimer::singleShot(0, [caption, asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        *asked = box->text();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == caption)
                QTest::mouseClick(button, Qt::LeftButton);
        }
    });
}

struct Launcher {
    explicit Launcher(const QString& database)
        : store(database), keeper(&store, {}),
          form([] { return std::make_unique<Form1>(test::countingSeeds()); }, {}, &keeper) {
        form.show();
    }
    void choose(const QString& text) { form.fichier->setEditText(text); }
    Form1& lancer() {
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        return *form.trainingScreen();
    }

    progress::Store store;
    TrainingKeeper keeper;
    Form2 form;
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
            Launcher l(database);
            QTest::mouseClick(l.form.parcourir, Qt::LeftButton);
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
        Launcher l(data.filePath("tirages.sqlite"));
        // Nothing kept: the launcher as it always was.
        l.choose("trois.txt");
        QVERIFY(!l.form.progress->isVisible() && !l.form.continuer->isVisible());

        Form1& screen = l.lancer();
        QTest::keyClicks(screen.solution[screen.training().state().focus],
                         screen.tirage[0]->text().toLower());
        QTest::keyClick(screen.solution[0], Qt::Key_F12);
        QTest::mouseClick(screen.quitter, Qt::LeftButton);
        QVERIFY(l.form.isVisible());
        QCOMPARE(l.form.progress->text(),
                 QStringLiteral("En cours : 2 mots restants sur 3 · 1 série · 0 min"));
        QVERIFY(l.form.continuer->isVisible());

        // The line follows the text of the list box.
        l.choose("autre.txt");
        QVERIFY(!l.form.progress->isVisible() && !l.form.continuer->isVisible());
        l.choose("trois.txt");
        QVERIFY(l.form.continuer->isVisible());

        // "LANCER" asks first; « Annuler » changes nothing.
        QString asked;
        answerTheQuestionWith("Annuler", &asked);
        QTest::mouseClick(l.form.Command1, Qt::LeftButton);
        QCOMPARE(asked, QStringLiteral("Recommencer « trois.txt » ? Les 2 mots restants et leurs "
                                       "réussites seront oubliés."));
        QVERIFY(l.form.isVisible());
        QCOMPARE(l.store.summary(QDir::current().absoluteFilePath("trois.txt"))->entriesLeft, 2);

        // « Continuer » takes up the two entries left.
        QTest::mouseClick(l.form.continuer, Qt::LeftButton);
        QVERIFY(screen.isVisible());
        QCOMPARE(screen.focusWidget(), screen.solution[0]); // typing goes there
        QCOMPARE(screen.training().state().nbmots(), 2);
        QCOMPARE(screen.motsleft->text(), QStringLiteral("2"));
        QTest::mouseClick(screen.quitter, Qt::LeftButton);

        // « Recommencer » starts the list afresh.
        answerTheQuestionWith("Recommencer", &asked);
        Form1& again = l.lancer();
        QVERIFY(again.isVisible());
        QCOMPARE(again.training().state().nbmots(), 3);
        QCOMPARE(again.training().state().reussites(), (QList<qint32>{0, 0, 0}));
    }

    void aFinishedListAndAChangedFile() {
        test::WorkingFolder cwd;
        cwd.write("un.txt", "AB;AB\r\n");
        cwd.write("deux.txt", "AB;AB\r\nCD;CD\r\n");
        QTemporaryDir data;
        Launcher l(data.filePath("tirages.sqlite"));
        l.choose("un.txt");
        Form1& screen = l.lancer();
        QTest::keyClicks(screen.solution[0], "ab");
        QTest::keyClick(screen.solution[0], Qt::Key_F12); // " BRAVO! "
        QTest::mouseClick(screen.quitter, Qt::LeftButton);
        const QString today =
            QLocale(QLocale::French).toString(QDate::currentDate(), QStringLiteral("d MMMM yyyy"));
        QCOMPARE(l.form.progress->text(),
                 QStringLiteral("Terminée le %1 · 1 série · 0 min").arg(today));
        QVERIFY(!l.form.continuer->isVisible());
        // Nothing is asked: the list starts again.
        Form1& again = l.lancer();
        QVERIFY(again.isVisible());
        QTest::mouseClick(again.quitter, Qt::LeftButton);

        // A file that changed since its training began.
        l.choose("deux.txt");
        QTest::mouseClick(l.lancer().quitter, Qt::LeftButton);
        cwd.write("deux.txt", "AB;AB\r\nEF;EF\r\nGH;GH\r\n");
        l.choose("un.txt");
        l.choose("deux.txt");
        QVERIFY(l.form.progress->text().endsWith(
            QStringLiteral("\nLa liste a changé : 2 mots ajoutés, 1 retiré depuis le début.")));
        QTest::mouseClick(l.form.continuer, Qt::LeftButton);
        QCOMPARE(l.form.trainingScreen()->training().state().tirages(),
                 (QStringList{"AB", "EF", "GH"}));
        QTest::mouseClick(l.form.trainingScreen()->quitter, Qt::LeftButton);

        // A file that cannot be read any more: the kept entries are trained.
        QFile::remove("deux.txt");
        l.choose("un.txt");
        l.choose("deux.txt");
        QVERIFY(l.form.progress->text().contains(QStringLiteral("ne peut plus être lu")));
        QTest::mouseClick(l.form.continuer, Qt::LeftButton);
        QCOMPARE(l.form.trainingScreen()->training().state().nbmots(), 3);
    }

    void aStoreThatCannotKeepIsSaidOnceAndTrainsAllTheSame() {
        test::WorkingFolder cwd;
        cwd.write("un.txt", "AB;AB\r\nCD;CD\r\n");
        QDir().mkpath("occupied.sqlite");
        Launcher l(QDir::current().absoluteFilePath("occupied.sqlite"));
        QVERIFY(l.form.message->text().startsWith(
            QStringLiteral("Les entraînements ne pourront pas être gardés")));
        l.choose("un.txt");
        QVERIFY(l.form.message->text().isEmpty()); // said once
        Form1& screen = l.lancer();
        QVERIFY(screen.isVisible());
        QTest::keyClick(screen.solution[0], Qt::Key_F12);
        QTest::mouseClick(screen.quitter, Qt::LeftButton);
        QVERIFY(l.form.isVisible());
        QVERIFY(!l.form.continuer->isVisible());
        QVERIFY(l.form.message->text().isEmpty());
    }
};

QTEST_MAIN(TestKeptLauncher)
#include "tst_keptlauncher.moc"
