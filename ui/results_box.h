#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <QPlainTextEdit>
#include <QString>

namespace tavrilo::ui {

// The results box: a multi-line edit that holds the record of drawn numbers. Its content
// crosses to the engine as GB18030 bytes and is limited to MaxBytes() of them; typing or
// pasting that would go beyond is cut to whole characters that fit, or refused.
class ResultsBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit ResultsBox(QWidget* parent = nullptr);

  // The content as GB18030 bytes, every line break as "\n".
  const std::string& Bytes() const;
  // Makes bytes the content. When bytes extends the current content only the new tail is
  // inserted, so what is already there is never re-encoded; otherwise the whole text is
  // replaced. Either way the caret, the selection and the scroll position stay where they
  // were as far as the new text allows. Program writes are not undoable.
  void WriteBytes(std::string_view bytes);

  std::size_t MaxBytes() const { return maxBytes_; }
  void SetMaxBytes(std::size_t maxBytes) { maxBytes_ = maxBytes; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // The longest prefix of text, in whole characters, that fits in place of the selection.
  QString FitToLimit(const QString& text) const;
  void InsertKeepingView(const QString& text, bool replaceAll);

  mutable std::optional<std::string> bytes_;  // cleared whenever the document changes
  std::size_t maxBytes_;
};

}  // namespace tavrilo::ui
