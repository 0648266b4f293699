#pragma once
// Interface texts as a screen reader speaks them and as the keyboard reaches them: a mnemonic is
// the character after a single '&' ("&&" is an ampersand), drawn underlined and typed with Alt.
// Chinese texts put a Latin one in brackets after the words: "清理(&C)".
#include <string>

// The text as it reads without its mnemonic: the marks go, and a bracketed one goes whole.
std::string WithoutMnemonic(const std::string& text);
// The mnemonic's character (UTF-8; an ASCII letter in upper case), empty when the text has none.
std::string MnemonicOf(const std::string& text);
// The text without its mnemonic marks and the blanks around it.
std::string SpokenText(const std::string& text);
