#include "rich_text_box.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

RichTextBox::RichTextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        m_searchTextValid = false;
        m_searchText.clear();
    });
}

bool RichTextBox::loadFile(const QString &path)
{
    if (QFileInfo(path).isDir())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    file.close();

    EditorText loaded = decodeDriverFile(bytes);
    setPlainText(loaded.text);
    m_usualEnd = loaded.usual;
    m_mixedEnds = !loaded.ends.empty();
    if (m_mixedEnds) {
        // Each block remembers the line end that closes it. When lines are joined the joined
        // block keeps the later one's, which is the end that survives; a split line leaves the
        // old end on its first part and the usual end on the new break.
        std::size_t line = 0;
        for (QTextBlock block = document()->begin(); block.isValid() && line < loaded.ends.size();
             block = block.next(), ++line)
            if (loaded.ends[line] != m_usualEnd)
                block.setUserState(static_cast<int>(loaded.ends[line]));
    }
    m_searchText = std::move(loaded.text);
    m_searchTextValid = true;
    return true;
}

void RichTextBox::keyPressEvent(QKeyEvent *event)
{
    // Tab types a tab into the file, so the keyboard leaves with Ctrl+Tab and Ctrl+Shift+Tab,
    // as in other editors; X11 reports Shift+Tab as Backtab.
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                              Qt::MetaModifier);
    if (tab && (held == Qt::ControlModifier ||
                held == (Qt::ControlModifier | Qt::ShiftModifier))) {
        const bool forward = event->key() == Qt::Key_Tab && !(held & Qt::ShiftModifier);
        // The text edit's own version refuses to move while Tab types into it.
        QWidget::focusNextPrevChild(forward);
        return;
    }
    if (event->matches(QKeySequence::InsertLineSeparator)) {
        QKeyEvent newLine(event->type(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QPlainTextEdit::keyPressEvent(&newLine);
        event->setAccepted(newLine.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void RichTextBox::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // The document would split at CR LF and CR itself; the line separator it would keep.
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'))
        .replace(QChar::LineSeparator, QLatin1Char('\n'));
    QMimeData plain;
    plain.setText(text);
    QPlainTextEdit::insertFromMimeData(&plain);
}

const QString &RichTextBox::searchText() const
{
    if (!m_searchTextValid) {
        m_searchText = document()->toRawText();
        m_searchTextValid = true;
    }
    return m_searchText;
}

int RichTextBox::find(const QString &word) const
{
    const QString &all = searchText();
    const QTextCursor cursor = textCursor();
    const qsizetype from = cursor.hasSelection() ? cursor.selectionStart() : 0;
    const qsizetype to = cursor.hasSelection() ? cursor.selectionEnd() : all.size();
    return static_cast<int>(findWholeWord(all, word, from, to));
}

void RichTextBox::setSelStart(int position)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(qBound(0, position, document()->characterCount() - 1));
    setTextCursor(cursor);
    ensureCursorVisible();
}

QString RichTextBox::text() const
{
    // toPlainText() would also turn no-break spaces (byte 0xA0) into blanks.
    const QString raw = document()->toRawText();
    std::vector<LineEnd> ends;
    if (m_mixedEnds) {
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
            const int state = block.userState();
            ends.push_back(state < 0 ? m_usualEnd : static_cast<LineEnd>(state));
        }
    }
    return joinLineEnds(raw, QChar::ParagraphSeparator, m_usualEnd, ends);
}
