#pragma once

#include <QString>

// Plain text on the system clipboard; tests use a string.
class TextClipboard
{
public:
    virtual ~TextClipboard() = default;
    virtual bool hasText() const = 0;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual void clear() = 0;
};
