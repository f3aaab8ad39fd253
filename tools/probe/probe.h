// Subcommands of the probe tool; each returns the process exit status.
#pragma once

int probe_fen(int argc, char** argv);
int probe_see(int argc, char** argv);
int probe_search(int argc, char** argv);
