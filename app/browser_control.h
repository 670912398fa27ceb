// BrowserControl: the folder browser of the tree options' project tab. It
// keeps the caption, the prompt and the folder to start in, and asks the
// user for a folder through the platform's folder dialog.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace orlix::app {

class BrowserControl : public QObject {
  Q_OBJECT

 public:
  explicit BrowserControl(QWidget* owner);

  // An empty caption reads "Browse Folders"; an empty prompt "Select a Folder".
  QString DialogCaption() const;
  void setDialogCaption(const QString& caption) { caption_ = caption; }
  QString UserPrompt() const;
  void setUserPrompt(const QString& prompt) { prompt_ = prompt; }
  QString StartFolderName() const { return startFolder_; }
  void setStartFolderName(const QString& folder) { startFolder_ = folder; }

  // Opens the folder dialog; the chosen folder's path, "" when cancelled.
  QString Browse_Folder();

  // Tests replace the dialog: the function gets the caption, prompt and start folder.
  using Chooser = std::function<QString(const QString& caption, const QString& prompt, const QString& start)>;
  void setChooser(Chooser chooser) { chooser_ = std::move(chooser); }

 private:
  QWidget* owner_;
  QString caption_, prompt_, startFolder_;
  Chooser chooser_;
};

}  // namespace orlix::app
