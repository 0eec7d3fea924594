#pragma once

#include <QString>

// What the program says of a damaged log file, and how it tells damage from other failures.
namespace LogDamage {

// True for the engine's result codes (primary or extended) that mean a damaged file.
bool isDamage(int resultCode);
// What the operator does about it.
QString whatToDo();
// The notice for the log `file` found damaged, with the engine's account of the problem.
QString notice(const QString& file, const QString& problem);

} // namespace LogDamage
