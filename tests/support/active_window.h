// Shows a window and makes it the active one: keyboard focus only moves inside an active window.
#ifndef QUORVEL_TESTS_SUPPORT_ACTIVE_WINDOW_H
#define QUORVEL_TESTS_SUPPORT_ACTIVE_WINDOW_H

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

inline ::testing::AssertionResult ShowActive(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window)) {
        return ::testing::AssertionFailure() << "the window did not become active";
    }
    return ::testing::AssertionSuccess();
}

#endif
