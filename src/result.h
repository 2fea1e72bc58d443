#pragma once

// The one way an operation tells that it failed: it returns a Result, which
// holds either its value or why it failed, in French as the player reads it.

#include <QString>
#include <optional>
#include <utility>

namespace tirages {

// Why something failed: a French sentence that names the real cause.
struct Failure {
    QString why;
};

// The value of an operation that gives nothing back when it succeeds.
struct Done {};

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Failure failure) : m_why(std::move(failure.why)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& operator*() const& { return *m_value; }
    T& operator*() & { return *m_value; }
    T&& operator*() && { return std::move(*m_value); }
    const T* operator->() const { return &*m_value; }
    T* operator->() { return &*m_value; }
    // Why it failed; empty when it did not.
    const QString& why() const { return m_why; }
    Failure failure() const { return {m_why}; }

private:
    std::optional<T> m_value;
    QString m_why;
};

} // namespace tirages
