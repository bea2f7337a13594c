#pragma once

// The subcommands of vtxss; each takes the arguments after its name and
// returns the process exit code.

int runMappingCommand(int argc, char** argv);
int runSheetCommand(int argc, char** argv);
int runApplyCommand(int argc, char** argv);
int runBenchCommand(int argc, char** argv);
int runBillCommand(int argc, char** argv);
int runExportCommand(int argc, char** argv);
