#pragma once

#include <functional>
#include <string>

class QProcess;

// File permission checks as an ordinary user meets them, whoever runs the tests. Root passes
// every permission check through its capabilities; a process that gives up the few that
// bypass file permissions stays the owner of the files the test made, and those files'
// modes then hold for it as for anyone. Nothing else changes, so the checkout may lie where
// only its owner can reach it.

// Gives up those rights in the calling process, for good, also for the programs it starts
// from now on; empty when done, otherwise why not.
std::string DropFileRights();

// Runs `checks` in a child process without those rights; their failures are the test's.
// The child is this test program run afresh for the current test only (a forked copy of a
// process with Qt's worker threads could wait on them for ever): the test runs again up to
// this call, which then gives up the rights and runs the checks. Where the rights cannot
// be given up, the checks are skipped with the reason.
void AsOrdinaryUser(const std::function<void()>& checks);

// The program starts without those rights.
void StartsAsOrdinaryUser(QProcess& process);
// Why programs started so would still pass permission checks; empty when they cannot.
std::string WhyProgramsKeepFileRights();
