// Subcommands of the probe tool; each returns the process exit status.
#pragma once

int probe_fen(int argc, char** argv);
int probe_perft(int argc, char** argv);
int probe_moves(int argc, char** argv);
int probe_eval(int argc, char** argv);
int probe_evalspeed(int argc, char** argv);
int probe_bench(int argc, char** argv);
int probe_see(int argc, char** argv);
int probe_search(int argc, char** argv);
