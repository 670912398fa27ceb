#include "app/browser_control.h"

#include <QFileDialog>
#include <QWidget>

namespace orlix::app {

BrowserControl::BrowserControl(QWidget* owner) : QObject(owner), owner_(owner) {
  setObjectName(QStringLiteral("BrowserControl1"));
}

QString BrowserControl::DialogCaption() const {
  return caption_.isEmpty() ? QStringLiteral("Browse Folders") : caption_;
}

QString BrowserControl::UserPrompt() const { return prompt_.isEmpty() ? QStringLiteral("Select a Folder") : prompt_; }

QString BrowserControl::Browse_Folder() {
  if (chooser_) return chooser_(DialogCaption(), UserPrompt(), startFolder_);
  // The platform's folder dialog has a title but no prompt line: the prompt
  // joins the caption so the user still reads it.
  return QFileDialog::getExistingDirectory(owner_, DialogCaption() + QStringLiteral(" - ") + UserPrompt(),
                                           startFolder_);
}

}  // namespace orlix::app
