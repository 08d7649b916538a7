// Driving widgets and modal windows from tests as a user would, without ever blocking.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace testing_support {

// Types `text` into `widget` one character at a time, as a keyboard sends it.
inline void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text)
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Runs `act` on the modal window of type T once it is open. Without one the test fails and
// whatever modal window is open is closed; a window `act` leaves open fails the test and is
// closed too, so that a failing test cannot hang in a modal wait.
template <class T>
void WhenOpen(std::function<void(T*)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    QPointer<T> window = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!window) {
      ADD_FAILURE() << "no " << T::staticMetaObject.className() << " is open";
      if (QWidget* other = QApplication::activeModalWidget()) other->close();
      return;
    }
    act(window);
    if (window && window->isVisible()) {
      ADD_FAILURE() << "the " << T::staticMetaObject.className() << " was left open";
      window->close();
    }
  });
}

}  // namespace testing_support
