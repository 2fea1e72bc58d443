// The lexicon through the windows: a player's word list completed and told so
// before the training, the word sheet after the correction, « Lexique… » and
// a lexicon of the player's own.

#include "entry/answerbox.h"
#include "screens/launcher.h"
#include "screens/trainingscreen.h"
#include "support/controls.h"
#include "support/launchersupport.h"
#include "support/testsupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace tirages;
using tirages::test::ui;

namespace {

// A shipped lexicon, as the list builder writes it.
const QByteArray kShipped = "tirages-lexique 1\n0CHIEN\n5S\n5T\n3NE\n5E\n5S\n0ECHINE\n"
                            "0NICHE\n5E\n5S\n";

// What the message box before the training says, then it is closed.
QString startTold(screens::Launcher& launcher) {
    QString told;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        told = box->windowTitle() + " | " + box->text();
        QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
    });
    QTest::mouseClick(ui(launcher).Command1, Qt::LeftButton);
    return told;
}

void chooseLexiconFile(screens::Launcher& launcher, const QString& path, const QString& current) {
    QTest::mouseClick(ui(launcher).lexique, Qt::LeftButton);
    auto* box = launcher.findChild<QMessageBox*>("lexiqueChoix");
    QVERIFY(box);
    QVERIFY(box->text().endsWith(current));
    QCOMPARE(box->buttons().size(), 3);
    QPushButton* ownFile = nullptr;
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == QStringLiteral("Un fichier de mots…"))
            ownFile = qobject_cast<QPushButton*>(button);
    }
    QVERIFY(ownFile);
    QTest::mouseClick(ownFile, Qt::LeftButton);
    QFileDialog* dialog = nullptr;
    QTRY_VERIFY((dialog = launcher.findChild<QFileDialog*>()));
    dialog->selectFile(path);
    QTest::keyClick(dialog->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    QTRY_VERIFY(!launcher.findChild<QFileDialog*>());
    // The keys go on from where the player left them.
    QCOMPARE(launcher.focusWidget(), ui(launcher).lexique);
}

} // namespace

class TestLexiconWindows : public QObject {
    Q_OBJECT

private slots:
    void aWordListCompletedThenTheSheetThenTheirOwnLexicon() {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); // Qt's own, on Windows too
        test::WorkingFolder cwd;
        cwd.write("data/lexique.lex", kShipped);
        cwd.write("mots.txt", "chien\r\n");
        cwd.write("officiel.txt", "chien\r\nniche\r\nniches\r\n");
        cwd.write("vide.txt", "\r\n");
        test::TestLauncher launcher;
        launcher.show();
        QVERIFY(ui(launcher).lexique->isVisible()); // from the first run
        QVERIFY(ui(launcher).lexiqueLigne->isHidden());
        ui(launcher).fichier->setEditText("mots.txt");

        QCOMPARE(startTold(launcher),
                 QStringLiteral("Mots du lexique | 2 mots du lexique ont les lettres de vos mots ; "
                                "ils sont demandés aussi : CHINE, NICHE.\nL'entraînement porte "
                                "sur 3 mots."));
        screens::TrainingScreen* training = launcher.trainingScreen();
        QCOMPARE(ui(training).tirage[0]->text(), QStringLiteral("CEHIN ×3"));
        QVERIFY(ui(training).fiche->isHidden()); // nothing before the correction

        QTest::keyClicks(ui(training).solution[0], "chien chiot");
        QTest::keyClick(ui(training).solution[0], Qt::Key_F12);
        QVERIFY(ui(training).fiche->isVisible());
        QCOMPARE(ui(training).fiche->toPlainText(),
                 QStringLiteral("CHIEN S T\nE CHINE E S\nNICHE E S\n"
                                "+ E : CHINEE, ECHINE, NICHEE ; + S : CHIENS, CHINES, NICHES ; "
                                "+ T : CHIENT\nCHIOT n'est pas dans le lexique"));
        const QString heard =
            QAccessible::queryAccessibleInterface(ui(training).fiche)->text(QAccessible::Name);
        QVERIFY2(heard.startsWith("Fiche des mots : CHIEN : rallonges devant : aucune ; "
                                  "derrière : S T."),
                 qPrintable(heard));
        QVERIFY(heard.endsWith("CHIOT n'est pas dans le lexique"));
        QTest::mouseClick(ui(training).quitter, Qt::LeftButton);

        // Their own lexicon, which lacks CHINE; one that has no word is refused.
        chooseLexiconFile(launcher, cwd.path() + "/officiel.txt",
                          "Lexique en place : le lexique fourni (Grammalecte).");
        QCOMPARE(ui(launcher).lexiqueLigne->text(), QStringLiteral("Lexique : officiel.txt"));
        QVERIFY(ui(launcher).lexiqueLigne->isVisible());
        chooseLexiconFile(launcher, cwd.path() + "/vide.txt", "Lexique en place : officiel.txt.");
        QCOMPARE(ui(launcher).message->text(),
                 QStringLiteral("Le lexique « vide.txt » n'a aucun mot de 2 à 32 lettres. "
                                "Le lexique en place est gardé."));
        QCOMPARE(ui(launcher).lexiqueLigne->text(), QStringLiteral("Lexique : officiel.txt"));
        ui(launcher).fichier->setEditText("mots.txt");
        QCOMPARE(startTold(launcher),
                 QStringLiteral("Mots du lexique | 1 mot du lexique a les lettres de vos mots ; "
                                "il est demandé aussi : NICHE.\nL'entraînement porte sur 2 mots."));
        QCOMPARE(ui(training).tirage[0]->text(), QStringLiteral("CEHIN ×2"));
        QTest::mouseClick(ui(training).quitter, Qt::LeftButton);

        // The file gone, the lexicon shipped takes over, and the launcher says so.
        QVERIFY(QFile::remove(cwd.path() + "/officiel.txt"));
        launcher.refresh();
        QCOMPARE(ui(launcher).lexiqueLigne->text(),
                 QStringLiteral("Le lexique « officiel.txt » est introuvable : le lexique fourni "
                                "(Grammalecte) est utilisé."));
        QVERIFY(startTold(launcher).contains("CHINE, NICHE"));
        QTest::mouseClick(ui(training).quitter, Qt::LeftButton);

        // A damaged lexicon shipped: the word list trains on its own words,
        // and the launcher says why.
        cwd.write("data/lexique.lex", "tirages-lexique 1\n0CHIEN\n9S\n");
        test::TestLauncher next;
        next.show();
        ui(next).fichier->setEditText("mots.txt");
        QTest::mouseClick(ui(next).Command1, Qt::LeftButton);
        QCOMPARE(ui(next.trainingScreen()).tirage[0]->text(), QStringLiteral("CEHIN"));
        QTest::mouseClick(ui(next.trainingScreen()).quitter, Qt::LeftButton);
        QCOMPARE(ui(next).lexiqueLigne->text(),
                 QStringLiteral("Le lexique fourni « lexique.lex » est abîmé : réinstallez "
                                "tirages. Le lexique n'est pas utilisé."));
    }
};

QTEST_MAIN(TestLexiconWindows)
#include "widget_lexicon.moc"
