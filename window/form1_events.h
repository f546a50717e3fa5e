#pragma once
// Form1's event handlers, named after their object and event, and the table
// that binds them by those names.

#include "runtime/description.h"

#include <span>

namespace window {

std::span<const runtime::Handler> form1Handlers();

void Form_Load();
void end1_Click();

void Command1_Click();
void Command2_Click();
void Command3_Click();
void Command4_Click();
void Command5_Click();
void Command6_Click();
void Command7_Click();
void Command8_Click();
void Command9_Click();
void Command10_Click();
void Command11_Click();
void Command12_Click();
void Command13_Click();
void Command14_Click();
void Command15_Click();
void Command16_Click();
void Command17_Click();
void Command18_Click();
void Command19_Click();
void Command20_Click();

void plus_Click();
void minus_Click();
void times_Click();
void devises_Click();

void new_Click();
void no_Click();

} // namespace window
