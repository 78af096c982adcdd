#include "ui/results_box.h"

#include <algorithm>

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QStringEncoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include "engine/draw_batch.h"
#include "ui/gb18030.h"

namespace tavrilo::ui {

namespace {

// The document's own separators read as "\n"; unlike toPlainText, a no-break space stays
// what the user typed.
QString WithPlainLineBreaks(QString text) {
  for (QChar& c : text) {
    const char16_t u = c.unicode();
    if (u == QChar::ParagraphSeparator || u == QChar::LineSeparator || u == 0xFDD0 || u == 0xFDD1) c = u'\n';
  }
  return text;
}

std::size_t ByteSize(const QString& text) { return ToGb18030(WithPlainLineBreaks(text)).size(); }

}  // namespace

ResultsBox::ResultsBox(QWidget* parent) : QPlainTextEdit(parent), maxBytes_(kRecordLimitBytes) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTabChangesFocus(true);
  connect(document(), &QTextDocument::contentsChanged, this, [this] { bytes_.reset(); });
}

const std::string& ResultsBox::Bytes() const {
  if (!bytes_) bytes_ = ToGb18030(WithPlainLineBreaks(document()->toRawText()));
  return *bytes_;
}

void ResultsBox::WriteBytes(std::string_view bytes) {
  const std::string& current = Bytes();
  if (bytes.starts_with(current)) {
    const std::string_view tail = bytes.substr(current.size());
    if (tail.empty()) return;
    const QString text = FromGb18030(tail);
    // Taken before the insertion, which drops the cache that current refers to. A "\r"
    // becomes a line break in the document, so such a tail is read back afresh instead.
    std::optional<std::string> extended;
    if (tail.find('\r') == std::string_view::npos) extended = current + ToGb18030(WithPlainLineBreaks(text));
    InsertKeepingView(text, false);
    bytes_ = std::move(extended);
  } else {
    InsertKeepingView(FromGb18030(bytes), true);
  }
  document()->clearUndoRedoStacks();
}

void ResultsBox::InsertKeepingView(const QString& text, bool replaceAll) {
  const QTextCursor user = textCursor();
  const int anchor = user.anchor();
  const int position = user.position();
  const int horizontal = horizontalScrollBar()->value();
  const int vertical = verticalScrollBar()->value();

  QTextCursor edit(document());
  if (replaceAll) {
    edit.select(QTextCursor::Document);
  } else {
    edit.movePosition(QTextCursor::End);
  }
  edit.insertText(text);

  // Inserting at the caret drags it along, and replacing everything collapses it.
  const int last = std::max(0, document()->characterCount() - 1);
  QTextCursor restored(document());
  restored.setPosition(std::min(anchor, last));
  restored.setPosition(std::min(position, last), QTextCursor::KeepAnchor);
  if (restored.anchor() != textCursor().anchor() || restored.position() != textCursor().position()) {
    setTextCursor(restored);
  }
  horizontalScrollBar()->setValue(horizontal);
  verticalScrollBar()->setValue(vertical);
}

QString ResultsBox::FitToLimit(const QString& text) const {
  const std::size_t selected = ByteSize(textCursor().selectedText());
  const std::size_t kept = Bytes().size() - std::min(selected, Bytes().size());
  std::size_t room = maxBytes_ > kept ? maxBytes_ - kept : 0;
  if (ByteSize(text) <= room) return text;

  QStringEncoder encoder("GB18030");
  qsizetype end = 0;
  while (end < text.size()) {
    const bool pair = text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
    const qsizetype length = pair ? 2 : 1;
    const QByteArray encoded = encoder.encode(WithPlainLineBreaks(text.mid(end, length)));
    const auto size = static_cast<std::size_t>(encoded.size());
    if (size > room) break;
    room -= size;
    end += length;
  }
  return text.left(end);
}

void ResultsBox::keyPressEvent(QKeyEvent* event) {
  QString typed;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    typed = QStringLiteral("\n");
  } else if (!event->text().isEmpty() && event->text().front().isPrint()) {
    typed = event->text();
  }
  if (!typed.isEmpty() && FitToLimit(typed) != typed) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void ResultsBox::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  const QString fitted = commit.isEmpty() ? commit : FitToLimit(commit);
  if (fitted == commit) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent cut(event->preeditString(), event->attributes());
  cut.setCommitString(fitted, event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&cut);
  event->setAccepted(cut.isAccepted());
}

void ResultsBox::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) return;
  const QString fitted = FitToLimit(source->text());
  if (fitted.isEmpty()) return;
  QMimeData plain;
  plain.setText(fitted);
  QPlainTextEdit::insertFromMimeData(&plain);
}

}  // namespace tavrilo::ui
