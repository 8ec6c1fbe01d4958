#pragma once

#include "driver_text.h"

#include <QPlainTextEdit>

// The plain-text editor that holds a driver file: what the driver editor needs of a text box
// and nothing more. A file is read one byte per character (Latin-1), so every byte survives, and
// its line ends are given back by text() as the file had them.
class RichTextBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit RichTextBox(QWidget *parent = nullptr);

    // Replaces the whole content with the file's; false, content unchanged, when it cannot be
    // read.
    bool loadFile(const QString &path);

    // Case-sensitive whole-word search over the selection when text is selected, otherwise over
    // the whole text. Returns the character index of the match or -1; selects nothing.
    int find(const QString &word) const;

    // Caret before the character at position, nothing selected, scrolled into view.
    void setSelStart(int position);

    // The whole text, each line ending as it did in the file; new lines end like the first.
    QString text() const;

protected:
    // Ctrl+Tab and Ctrl+Shift+Tab move the focus on and back; Tab itself stays a character.
    // A line break typed with Shift or pasted in any form is a new line like any other: the
    // document never holds a line separator (U+2028), which no driver file can hold.
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    const QString &searchText() const;

    LineEnd m_usualEnd = LineEnd::CrLf;
    bool m_mixedEnds = false;
    // The document's text with '\n' between blocks, kept until the next edit so that a go-to
    // does not copy a large file out of the document each time.
    mutable QString m_searchText;
    mutable bool m_searchTextValid = false;
};
