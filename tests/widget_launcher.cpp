// The launcher: its controls, starting a list, and the farewell.

#include "entry/answerbox.h"
#include "lists/catalogue.h"
#include "screens/colours.h"
#include "screens/fonts.h"
#include "screens/launcher.h"
#include "screens/trainingscreen.h"
#include "support/controls.h"
#include "support/launchersupport.h"
#include "support/testsupport.h"
#include "support/widgetsupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace tirages;
using namespace tirages::training;
using tirages::test::ui;
using namespace tirages::screens;
using tirages::test::twips;
using namespace tirages::test::colours;

namespace {

std::unique_ptr<Launcher> makeLauncher(QStringList dataDirs = {}) {
    std::unique_ptr<Launcher> launcher = std::make_unique<test::TestLauncher>(dataDirs);
    launcher->show();
    return launcher;
}

void choose(Launcher& launcher, const QString& text) {
    ui(launcher).fichier->setEditText(text);
}

QByteArray fixtureBytes(const QString& name) {
    QFile file(test::fixture(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestLauncher : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void showsItsControlsAsLaidOut() {
        auto launcher = makeLauncher();
        QCOMPARE(launcher->windowTitle(), QStringLiteral("Bienvenue :o)"));
        QCOMPARE(launcher->size(), QSize(350, 263));
        QCOMPARE(test::background(launcher.get()), kPeach);

        QCOMPARE(ui(launcher).Label1->text(), QStringLiteral("MOTS NOUVEAUX ODS 5"));
        QCOMPARE(ui(launcher).Label1->pos(), twips(960, 240, 0, 0).topLeft());
        QCOMPARE(ui(launcher).Label1->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(ui(launcher).Label1->font().pointSize(), 12);
        QCOMPARE(test::background(ui(launcher).Label1), kPeach);
        QCOMPARE(ui(launcher).fichier->geometry(), twips(1200, 1320, 2295, 315));
        QCOMPARE(ui(launcher).Command1->text(), QStringLiteral("LANCER"));
        QCOMPARE(ui(launcher).Command1->geometry(), twips(1680, 1800, 1215, 375));
        QCOMPARE(ui(launcher).quitter->text(), QStringLiteral("Quitter"));
        QCOMPARE(ui(launcher).quitter->geometry(), twips(3840, 3240, 1215, 495));
        QCOMPARE(ui(launcher).Text1->geometry(), twips(360, 2160, 3735, 1575));
        QVERIFY(!ui(launcher).Text1->isVisible());
        QVERIFY(!ui(launcher).Text1->isEnabled());
        QCOMPARE(ui(launcher).Label2->geometry(), twips(4440, 720, 375, 255));
        QVERIFY(ui(launcher).Label2->text().isEmpty());
        QCOMPARE(test::background(ui(launcher).Label2), kPeach);
        QVERIFY(!ui(launcher).Timer1->isActive());
        QCOMPARE(ui(launcher).Timer1->interval(), 1000);
    }

    void offersTheSeventeenListsUnderAPrompt() {
        auto launcher = makeLauncher();
        QComboBox* box = ui(launcher).fichier;
        QVERIFY(box->isEditable());
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->currentText(), QStringLiteral("Sélectionnez votre liste"));
        QStringList names;
        for (int i = 0; i < box->count(); ++i)
            names << box->itemText(i);
        QCOMPARE(
            names,
            (QStringList{"2 à 4 lettres", "5 lettres", "6 lettres - Série A", "6 lettres - Série B",
                         "6 lettres - Série C", "7 lettres - Série A", "7 lettres - Série B",
                         "7 lettres - Série C", "8 lettres - Série A", "8 lettres - Série B",
                         "8 lettres - Série C", "2 à 6l avec lettre chère",
                         "7 et 8l avec lettre chère", "Verbes intransitifs (<10l)",
                         "Verbes transitifs (<10l)", "Mots invariables", "9 lettres"}));
    }

    void tabVisitsLancerQuitterThenTheListAndItsButton() {
        auto launcher = makeLauncher();
        QCOMPARE(launcher->focusWidget(), ui(launcher).Command1);
        const QList<QWidget*> walk = test::tabWalk(launcher.get(), ui(launcher).Command1, 5);
        QCOMPARE(walk,
                 (QList<QWidget*>{ui(launcher).Command1, ui(launcher).quitter, ui(launcher).fichier,
                                  ui(launcher).parcourir, ui(launcher).lexique,
                                  ui(launcher).Command1}));
    }

    // « Parcourir… » with Qt's own file dialog: the file chosen goes into the
    // list box, "LANCER" opens it, and the dialog opens next in its folder.
    void parcourirPutsTheChosenFileInTheListBox() {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        test::WorkingFolder cwd;
        cwd.write("home/mes listes/nouveaux.txt", "ABERR;ARBRE\r\nBEERZ;ZEBRE\r\n");
        cwd.write("home/mes listes/mots.txt", "arbre\nzèbre\nbarre\n");
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(cwd.path() + "/home"));
        auto launcher = makeLauncher();
        QCOMPARE(ui(launcher).parcourir->text(), QStringLiteral("Parcourir…"));
        QCOMPARE(ui(launcher).parcourir->geometry(), twips(3555, 1320, 1215, 315));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(ui(launcher).parcourir)->text(QAccessible::Name),
            QStringLiteral("Parcourir…"));
        QCOMPARE(ui(launcher).parcourir->accessibleDescription(),
                 QStringLiteral("Choisir un fichier de liste"));
        QCOMPARE(ui(launcher).fichier->geometry(), twips(1200, 1320, 2295, 315));

        const auto dialogFor = [&](auto click) -> QFileDialog* {
            click();
            return launcher->findChild<QFileDialog*>();
        };
        // By the mouse; the file's name typed into the dialog.
        QFileDialog* dialog =
            dialogFor([&] { QTest::mouseClick(ui(launcher).parcourir, Qt::LeftButton); });
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        QCOMPARE(QDir(dialog->directory()).canonicalPath(),
                 QDir(QDir::homePath()).canonicalPath()); // the one made above, where HOME counts
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        QVERIFY(dialog->nameFilters().first().contains("*.txt"));
        const QString chosen = cwd.path() + "/home/mes listes/nouveaux.txt";
        dialog->selectFile(chosen);
        QTest::keyClick(dialog->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
        QTRY_VERIFY(!launcher->findChild<QFileDialog*>());
        QCOMPARE(ui(launcher).fichier->currentText(), QDir::toNativeSeparators(chosen));
        QCOMPARE(launcher->focusWidget(), ui(launcher).Command1);
        QTest::keyClick(ui(launcher).Command1, Qt::Key_Space);
        QVERIFY(launcher->trainingScreen()->isVisible());
        QCOMPARE(launcher->trainingScreen()->training().state().entryCount(), 2);

        // Back on the launcher, by the keyboard: the dialog opens in that
        // folder, and Escape leaves the list box as it was.
        QTest::mouseClick(ui(launcher->trainingScreen()).quitter, Qt::LeftButton);
        ui(launcher).parcourir->setFocus();
        dialog = dialogFor([&] { QTest::keyClick(ui(launcher).parcourir, Qt::Key_Space); });
        QVERIFY(dialog);
        QCOMPARE(QDir(dialog->directory()).canonicalPath(),
                 QDir(cwd.path() + "/home/mes listes").canonicalPath());
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(!launcher->findChild<QFileDialog*>());
        QCOMPARE(ui(launcher).fichier->currentText(), QDir::toNativeSeparators(chosen));
        QCOMPARE(launcher->focusWidget(), ui(launcher).parcourir);
        qputenv("HOME", home);
    }

    // A plain word list: the words left out are named, then the training
    // starts on the others.
    void aWordListTellsTheWordsLeftOutThenStarts() {
        test::WorkingFolder cwd;
        cwd.write("mots.txt", "arbre\r\nzèbre\r\nbarre\r\nl'eau\r\nzèbre\r\n");
        // ARBRE and BARRE, of the same letters, are one question.
        auto launcher = makeLauncher();
        choose(*launcher, "mots.txt");
        QString told;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            told = box->windowTitle() + " | " + box->text();
            QCOMPARE(box->buttons().size(), 1);
            QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
        });
        QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);
        QCOMPARE(told, QStringLiteral("Mots laissés de côté | 2 mots laissés de côté : ligne 4, "
                                      "« l'eau » n'est pas un mot de 2 à 15 lettres ; ligne 5, "
                                      "« zèbre » est déjà à la ligne 2.\nL'entraînement porte "
                                      "sur 3 mots."));
        TrainingScreen* training = launcher->trainingScreen();
        QVERIFY(training->isVisible());
        QCOMPARE(training->training().state().entryCount(), 2);
        QCOMPARE(training->focusWidget(), ui(training).solution[0]); // typing goes there
        QStringList draws{ui(training).tirage[0]->text(), ui(training).tirage[1]->text()};
        draws.sort();
        QCOMPARE(draws, (QStringList{"ABERR ×2", "BEERZ"}));

        // With nothing left out, the training starts at once.
        QTest::mouseClick(ui(training).quitter, Qt::LeftButton);
        cwd.write("mots.txt", "arbre\r\nzèbre\r\n");
        QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);
        QVERIFY(training->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void lancerStartsTheChosenList() {
        test::WorkingFolder cwd;
        cwd.write("data/5l_tir.txt", fixtureBytes("twelve.txt"));
        auto launcher = makeLauncher();
        QVERIFY(!launcher->trainingScreen());

        choose(*launcher, "5 lettres");
        QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);

        TrainingScreen* training = launcher->trainingScreen();
        QVERIFY(training);
        QVERIFY(training->isVisible());
        QVERIFY(!launcher->isVisible());
        QCOMPARE(training->training().state().entryCount(), 12);
        QCOMPARE(ui(training).motsleft->text(), QStringLiteral("12"));
        QCOMPARE(training->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(ui(launcher).message->text().isEmpty());
    }

    void findsCatalogueListsBesideTheProgram() {
        test::WorkingFolder cwd; // holds no data folder
        QTemporaryDir installed;
        QFile::copy(test::fixture("twelve.txt"), installed.filePath("9l_tir.txt"));
        auto launcher = makeLauncher({installed.path()});
        choose(*launcher, "9 lettres");
        QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);
        QVERIFY(launcher->trainingScreen()->isVisible());
        QCOMPARE(launcher->trainingScreen()->training().state().entryCount(), 12);
    }

    void everyShippedListStarts() {
        test::WorkingFolder cwd; // the lists come from the program's data folder
        auto launcher = makeLauncher({QStringLiteral(TIRAGES_SOURCE_DIR "/data")});
        for (const lists::CatalogueList& list : lists::catalogue()) {
            ui(launcher).fichier->setCurrentIndex(ui(launcher).fichier->findText(list.name));
            QCOMPARE(ui(launcher).fichier->currentText(), list.name);
            QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);
            TrainingScreen* training = launcher->trainingScreen();
            QVERIFY2(training->isVisible(), qPrintable(ui(launcher).message->text()));
            QVERIFY(training->training().state().entryCount() > 0);
            QVERIFY(!ui(training).tirage[0]->text().isEmpty());
            QTest::mouseClick(ui(training).quitter, Qt::LeftButton);
            QVERIFY(launcher->isVisible());
        }
    }

    void lancerWithThePromptExplainsAndStays() {
        test::WorkingFolder cwd;
        auto launcher = makeLauncher();
        QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);

        QVERIFY(launcher->isVisible());
        QVERIFY(ui(launcher).Command1->isEnabled());
        // The list is read before any training screen is shown.
        QVERIFY(!launcher->trainingScreen());
        QVERIFY(ui(launcher).message->isVisible());
        QCOMPARE(ui(launcher).message->text(),
                 QStringLiteral("Impossible d'ouvrir la liste « Sélectionnez votre liste » : "
                                "ce fichier n'existe pas."));
        QCOMPARE(launcher->cursor().shape(), Qt::ArrowCursor);
    }

    void aBrokenListLeavesTheLoadedOneAlone() {
        test::WorkingFolder cwd;
        cwd.write("data/5l_tir.txt", fixtureBytes("twelve.txt"));
        cwd.write("broken.txt", fixtureBytes("no_separator.txt"));
        cwd.write("huge.txt", test::numberedList(10001));
        auto launcher = makeLauncher();
        choose(*launcher, "5 lettres");
        QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);
        TrainingScreen* training = launcher->trainingScreen();
        const TrainingState before = training->training().state();

        // Back on the launcher, as after "Sommaire".
        training->hide();
        launcher->show();
        for (const QString bad : {"broken.txt", "huge.txt", "data", "missing.txt"}) {
            choose(*launcher, bad);
            QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);
            QVERIFY2(launcher->isVisible(), qPrintable(bad));
            QVERIFY(!training->isVisible());
            QVERIFY(ui(launcher).message->text().contains(QStringLiteral("« %1 »").arg(bad)));
            QCOMPARE(training->training().state().draws(), before.draws());
            QCOMPARE(training->training().state().slotEntry, before.slotEntry);
        }
        choose(*launcher, "broken.txt");
        QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);
        QVERIFY(ui(launcher).message->text().contains(QStringLiteral("ligne 3")));

        // A good list afterwards clears the message and starts.
        choose(*launcher, "5 lettres");
        QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);
        QVERIFY(ui(launcher).message->text().isEmpty());
        QVERIFY(training->isVisible());
    }

    void quitterSaysGoodbyeAndCountsDown() {
        auto launcher = makeLauncher();
        QSignalSpy ended(launcher.get(), &Launcher::programEnded);
        QTest::mouseClick(ui(launcher).quitter, Qt::LeftButton);

        QVERIFY(ui(launcher).Timer1->isActive());
        QCOMPARE(launcher->farewell().countdown(), 6);
        for (QWidget* gone :
             std::initializer_list<QWidget*>{ui(launcher).fichier, ui(launcher).Label1,
                                             ui(launcher).Command1, ui(launcher).quitter})
            QVERIFY(!gone->isVisible());
        QVERIFY(!launcher->isEnabled());
        QCOMPARE(launcher->windowTitle(), QStringLiteral("A bientôt !"));
        QVERIFY(ui(launcher).Text1->isVisible());
        QCOMPARE(ui(launcher).Text1->geometry(), twips(360, 640, 3735, 2400));
        QVERIFY(Launcher::aboutText().startsWith("A propos de l'auteur :\r\n\r\n"));
        QVERIFY(Launcher::aboutText().endsWith("\r\n"));
        QVERIFY(Launcher::aboutText().contains("GNU"));
        QVERIFY(ui(launcher).Text1->toPlainText().startsWith("A propos de l'auteur :\n\n"));

        ui(launcher).Timer1->stop(); // the test drives the ticks
        for (const char* shown : {"5", "4", "3", "2", "1", "0"}) {
            launcher->farewellTick();
            QCOMPARE(ui(launcher).Label2->text(), QString::fromLatin1(shown));
            QCOMPARE(ended.count(), 0);
        }
        launcher->farewellTick();
        QCOMPARE(ended.count(), 1);
    }

    void closingTheTrainingScreenBringsTheLauncherBack() {
        test::WorkingFolder cwd;
        cwd.write("data/5l_tir.txt", fixtureBytes("twelve.txt"));
        auto launcher = makeLauncher();
        choose(*launcher, "5 lettres");
        QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);
        QVERIFY(!launcher->isVisible());
        launcher->trainingScreen()->close();
        QVERIFY(!launcher->trainingScreen()->isVisible());
        QVERIFY(launcher->isVisible());
    }

    void closingTheLauncherEndsTheProgram() {
        auto launcher = makeLauncher();
        QSignalSpy ended(launcher.get(), &Launcher::programEnded);
        launcher->close();
        QCOMPARE(ended.count(), 1);
    }
};

QTEST_MAIN(TestLauncher)
#include "widget_launcher.moc"
