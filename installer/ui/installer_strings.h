// Numbers of the installer's texts in resources/install_r7t/strings.txt.
#pragma once

namespace r7t::installer::ui {

inline constexpr int kWindowTitle = 1;
inline constexpr int kChoiceTitle = 2;
inline constexpr int kChoiceQuestion = 3;
inline constexpr int kChoiceOr = 4;
inline constexpr int kBrowse = 5;
inline constexpr int kAbandon = 6;
inline constexpr int kContinue = 7;
inline constexpr int kBrowseTitle = 8;
inline constexpr int kErrorTitle = 10;
inline constexpr int kErrorHappened = 11;
inline constexpr int kOk = 12;
inline constexpr int kSuccessTitle = 20;
inline constexpr int kSuccess = 21;
// 22: the data folder made in the documents folder (a format).
// 30 + the error's number: the error texts.
inline constexpr int kErrorTexts = 30;

} // namespace r7t::installer::ui
