#include "screens/form2.h"

#include "lists/catalogue.h"
#include "screens/colours.h"
#include "screens/form1.h"
#include "screens/geometry.h"
#include "texts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace tirages::screens {
namespace layout = screens::launcher;

namespace {

constexpr qint16 kFarewellSeconds = 6;
const QString kLineBreak = QStringLiteral("\r\n");

} // namespace

Form2::Form2(std::function<std::unique_ptr<Form1>()> makeTrainingScreen, QWidget* parent)
    : QWidget(parent, Qt::Window), m_makeTrainingScreen(std::move(makeTrainingScreen)) {
    setWindowTitle(texts::launcherTitle);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, rgb(Colour::Peach));
    setPalette(windowPalette);
    setAutoFillBackground(true);
    setFixedSize(toPixels(layout::clientWidth), toPixels(layout::clientHeight));

    // Created in the keyboard order of the focusable controls.
    Label1 = placed(new QLabel(texts::launcherHeading, this), layout::Label1);
    Label1->setFont(QFont(QStringLiteral("MS Sans Serif"), 12));
    Label1->adjustSize();
    Command1 = placed(new QPushButton(texts::launch, this), layout::Command1);
    quitter = placed(new QPushButton(texts::quit, this), layout::quitter);
    fichier = placed(new QComboBox(this), layout::fichier);
    Text1 = placed(new QPlainTextEdit(this), layout::Text1);
    Label2 = placed(new QLabel(this), layout::Label2);
    message = placed(new QLabel(this), layout::message);

    for (QWidget* control : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2)})
        setBackground(control, rgb(Colour::Peach));

    fichier->setEditable(true);
    fichier->setInsertPolicy(QComboBox::NoInsert);
    // What the player types is what "LANCER" hands over: no completion, and no
    // match blind to case when the box loses the focus.
    fichier->setCompleter(nullptr);
    fichier->setMaxVisibleItems(17);
    for (const lists::CatalogueList& list : lists::catalogue())
        fichier->addItem(list.name);
    fichier->setCurrentIndex(-1);
    fichier->setEditText(texts::listPrompt);

    fichier->setAccessibleName(texts::spoken::listBox);
    Text1->setAccessibleName(texts::spoken::about);
    Label2->setAccessibleName(texts::spoken::countdown);
    message->setAccessibleName(texts::spoken::problem);

    Text1->setReadOnly(true);
    Text1->setEnabled(false);
    Text1->hide();

    message->setWordWrap(true);
    message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette messagePalette = message->palette();
    messagePalette.setColor(QPalette::WindowText, QColor(160, 0, 0));
    message->setPalette(messagePalette);

    for (QPushButton* button : {Command1, quitter})
        button->setAutoDefault(true);

    QWidget::setTabOrder(Command1, quitter);
    QWidget::setTabOrder(quitter, fichier);
    QWidget::setTabOrder(fichier, Text1);
    Command1->setFocus();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);

    connect(Command1, &QPushButton::clicked, this, &Form2::lancer);
    connect(quitter, &QPushButton::clicked, this, &Form2::quitterClicked);
    connect(Timer1, &QTimer::timeout, this, &Form2::timer1Tick);
}

Form2::~Form2() = default;

QString Form2::aboutText() {
    QString text = texts::aboutHeading + kLineBreak + kLineBreak;
    for (const QString& line : texts::aboutLines)
        text += line + kLineBreak;
    return text;
}

void Form2::lancer() {
    message->clear();
    const bool firstUse = !m_form1;
    if (firstUse) {
        m_form1 = m_makeTrainingScreen();
        connect(m_form1.get(), &Form1::backToLauncher, this, &QWidget::show);
    }
    Form1& training = *m_form1;

    training.setBusy(true);
    training.show();
    training.raise();
    training.activateWindow();
    if (const auto error = training.commencer(fichier->currentText())) {
        // The list in memory is untouched: the player stays on the launcher.
        training.setBusy(false);
        training.hide();
        message->setText(error->message());
        activateWindow();
        return;
    }
    hide();
}

void Form2::quitterClicked() {
    Timer1->start();
    decompte = kFarewellSeconds;
    for (QWidget* control : {static_cast<QWidget*>(fichier), static_cast<QWidget*>(Label1),
                             static_cast<QWidget*>(Command1), static_cast<QWidget*>(quitter)})
        control->hide();
    message->hide();
    setEnabled(false);
    Text1->show();
    setWindowTitle(texts::farewellTitle);
    Text1->setGeometry(toPixels(layout::Text1Farewell));
    // The text box shows lines; the about text keeps its CR LF line ends.
    Text1->setPlainText(QString(aboutText()).replace(kLineBreak, QStringLiteral("\n")));
}

void Form2::timer1Tick() {
    --decompte;
    Label2->setText(QString::number(decompte));
    if (decompte == -1) {
        Timer1->stop();
        emit programEnded();
    }
}

void Form2::closeEvent(QCloseEvent* event) {
    event->accept();
    emit programEnded();
}

} // namespace tirages::screens
