#pragma once

// Runs brivanel-batch with its command-line arguments; returns the exit status.
int BatchMain(int argc, char** argv);
