#pragma once

// Runs brivanel-batch with its command-line arguments; returns the exit status.
int batchMain(int argc, char** argv);
