#include "support/testsupport.h"

#include "lists/cp1252.h"

#include <QDir>
#include <QHash>
#include <QFile>
#include <QFileInfo>
#include <memory>

namespace tirages::test {

QByteArray toCp1252(QStringView text) {
    QHash<QChar, char> byteOf;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        byteOf.insert(lists::fromCp1252(QByteArrayView(&byte, 1)).at(0), byte);
    }
    QByteArray bytes;
    for (QChar ch : text)
        bytes.append(byteOf.value(ch, '?'));
    return bytes;
}

QString fixture(const QString& name) {
    return QStringLiteral(TIRAGES_TEST_DATA "/") + name;
}

training::SeedSource countingSeeds() {
    auto next = std::make_shared<quint64>(0);
    return [next] { return ++*next; };
}

QByteArray numberedList(int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "D" + QByteArray::number(i) + ";S" + QByteArray::number(i) + "\r\n";
    return bytes;
}

WorkingFolder::WorkingFolder() : m_previous(QDir::currentPath()) {
    QDir::setCurrent(m_dir.path());
}

WorkingFolder::~WorkingFolder() {
    QDir::setCurrent(m_previous);
}

void WorkingFolder::write(const QString& relativePath, const QByteArray& bytes) const {
    const QString path = QDir(m_dir.path()).filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace tirages::test

#include "training/training.h"

namespace tirages::test {

lists::ListContent numberedEntries(int count) {
    lists::ListContent entries;
    for (int i = 0; i < count; ++i)
        entries.append({QStringLiteral("D%1").arg(i), QStringLiteral("S%1").arg(i)});
    return entries;
}

lists::ListContent wordEntries(const QStringList& words) {
    lists::ListContent entries;
    for (const QString& word : words)
        entries.append({word, word});
    return entries;
}

training::Question oneWord(const lists::Entry& line, qint32 number, qint32 successes) {
    return {line.draw, {line.expected}, {number}, successes, false};
}

void answerRight(training::Training& training, int slot) {
    const int k = training.state().slotEntry[slot];
    training.answerEdited(slot, training.state().entries[k].words.join(u' '));
}

int slotShowing(const training::Training& training, const QString& word) {
    for (int s = 0; s < training::kSlots; ++s) {
        const int k = training.state().slotEntry[s];
        if (k >= 0 && k < training.state().entryCount() &&
            training.state().entries[k].words.contains(word))
            return s;
    }
    return -1;
}

EffectCounter::EffectCounter(training::Training& training) : m_training(training) {
    m_training.takeEffects();
}

void EffectCounter::collect() {
    for (const training::Effect& effect : m_training.takeEffects()) {
        if (effect.kind == training::Effect::Kind::Beep)
            ++m_beeps;
        else if (effect.kind == training::Effect::Kind::FocusAnswer)
            ++m_focusMoves;
        else if (effect.kind == training::Effect::Kind::StartTimer)
            ++m_starts[static_cast<std::size_t>(effect.timer)];
    }
}

int EffectCounter::beeps() {
    collect();
    return m_beeps;
}

int EffectCounter::starts(training::Timer timer) {
    collect();
    return m_starts[static_cast<std::size_t>(timer)];
}

int EffectCounter::focusMoves() {
    collect();
    return m_focusMoves;
}

} // namespace tirages::test
