#pragma once

#include "screens/spoken.h"
#include "training/farewell.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tirages::lists {
struct ListFile;
}

namespace tirages::screens {

class Form1;
class TrainingKeeper;

// The launcher: the player picks a list and starts it, or quits.
class Form2 : public QWidget {
    Q_OBJECT

public:
    // makeTrainingScreen creates the training screen on the first "LANCER";
    // dataDirs are the folders where the catalogue's lists are looked for when
    // they are not found relative to the working directory.
    // keeper, when given, keeps the trainings across runs.
    Form2(std::function<std::unique_ptr<Form1>()> makeTrainingScreen, QStringList dataDirs,
          TrainingKeeper* keeper = nullptr, QWidget* parent = nullptr);
    ~Form2() override;

    // The training screen, or null before the first "LANCER".
    Form1* trainingScreen() const { return m_form1.get(); }

    // The about text the farewell shows, lines ended by CR LF.
    static QString aboutText();

    // One tick of Timer1: a step of the farewell countdown, the end of the
    // program after the last.
    void timer1Tick();

    QLabel* Label1 = nullptr;
    QComboBox* fichier = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* quitter = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;
    AlertLabel* message = nullptr;    // why the last list could not be started
    QLabel* progress = nullptr;       // the training kept for the list named, if any
    QPushButton* continuer = nullptr; // takes that training up
    QPushButton* parcourir = nullptr; // picks a list file in the file dialog

    // The farewell countdown after "Quitter".
    const Farewell& farewell() const { return m_farewell; }

signals:
    // The program must end now.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void setUpListBox();
    void showKeptTraining();
    void say(const QString& text);
    bool confirmRestart(qint32 entriesLeft);
    void lancer();
    void tellLeftOut(const lists::ListFile& file);
    void continuerClicked();
    void parcourirClicked();
    void showTraining(Form1& training);
    void trainingLeft();
    void quitterClicked();

    Form1& trainingScreenMade();

    std::function<std::unique_ptr<Form1>()> m_makeTrainingScreen;
    QStringList m_dataDirs;
    TrainingKeeper* m_keeper;
    std::unique_ptr<Form1> m_form1;
    Farewell m_farewell;
    QString m_lastFolder; // where the file dialog opened a list last, kept across runs
};

} // namespace tirages::screens
