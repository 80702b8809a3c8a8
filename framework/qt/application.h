#pragma once

#include <QString>
#include <QStringList>

#include <exception>
#include <functional>
#include <utility>

// The application object's services: its title, the default handling of exceptions that escape a
// handler, and the guard through which every handler that Qt calls runs, so that no exception
// crosses Qt's event loop.
namespace Application {

void SetTitle(const QString& Title);
QString Title();

// Shows the message of an exception that escaped a handler in a message box titled with the
// application title, kept above always-on-top windows; the program then goes on, with the keys
// back in the window and control that had them before the box.
void ShowException(const QString& Message);

// Replaces the message box of ShowException (for tests: they record the message instead).
using ExceptionReporter = std::function<void(const QString& Message)>;
void SetExceptionReporter(ExceptionReporter Reporter);

// The program's own words for the exceptions it knows, by their class; an empty text leaves an
// exception to the default: the message of the program's own Exception, or else a text of the
// framework's (running out of memory, an unknown error).
using MessageWording = std::function<QString(const std::exception& Error)>;
void SetMessageWording(MessageWording Wording);

// Shows the exception that is being handled, in the program's words (called from inside a catch
// block).
void HandleCurrentException();

// Runs a handler; an exception it raises is shown and the program goes on.
template <class Handler>
void Guard(Handler&& Run) {
  try {
    std::forward<Handler>(Run)();
  } catch (...) {
    HandleCurrentException();
  }
}

// Rings the desktop's bell: the answer to input the program refuses without a message.
void Beep();

// Replaces the bell of Beep (for tests: they count the bells instead).
using BellRinger = std::function<void()>;
void SetBellRinger(BellRinger Ringer);

// Handles the events that are waiting, then returns.
void ProcessMessages();

// The command-line argument at Index (0 is the program), empty when there is none.
QString ParamStr(int Index);

// Replaces the command line that ParamStr reads (the program's own, kept before Qt edits it;
// tests of start-up switches).
void SetCommandLine(const QStringList& Arguments);

}  // namespace Application
