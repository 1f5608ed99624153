#pragma once

#include "platform/textclipboard.h"

// The system clipboard's plain text.
class QtClipboard : public TextClipboard
{
public:
    bool hasText() const override;
    QString text() const override;
    void setText(const QString &text) override;
    void clear() override;
};
