#pragma once

// Which list a training is on, and the key it is kept under.

#include <QString>

namespace tirages::lists {

class ListId {
public:
    enum class Kind {
        Bundled, // a list of the launcher, by its name
        File,    // any other file, by its real path
        Reviews, // « Réviser »: the questions due, from the memory
        Hardest, // « Entraîner ces mots »: the questions most missed
    };

    // What the launcher's list box holds: a list of the launcher when the
    // text is exactly its name, else a file's path, however it is written.
    static ListId typed(const QString& text);
    static ListId of(Kind kind); // Reviews or Hardest
    // The list a key of the store stands for.
    static ListId fromKey(const QString& key);

    Kind kind() const { return m_kind; }
    // Built from the memory: only its series are kept, not the training.
    bool fromMemory() const { return m_kind == Kind::Reviews || m_kind == Kind::Hardest; }
    // How the store keeps it: never a list's name and a file's path at once.
    const QString& key() const { return m_key; }
    // How the player knows it: a name, or a file's own name.
    QString caption() const;
    bool isEmpty() const { return m_key.isEmpty(); }
    friend bool operator==(const ListId&, const ListId&) = default;

private:
    ListId(Kind kind, QString key) : m_kind(kind), m_key(std::move(key)) {}

public:
    ListId() = default; // none

private:
    Kind m_kind = Kind::File;
    QString m_key;
};

} // namespace tirages::lists
