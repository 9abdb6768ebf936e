// hostsim's commands (score, export, check, script) as the operator gives them on the command line.
#pragma once

// Runs one command line; returns hostsim's exit status (its help lists them). Never throws: a failure nobody
// expected is said on standard error and ends as wrong use (2).
int runCommandLine(int argc, char** argv);
