#!/usr/bin/env python3
"""Plays bitrook against another engine under the xboard GUI, headless.

bitrook-uci, and any opponent said to speak UCI, runs through polyglot, the adapter that
connects a UCI engine to an xboard interface. One xboard run per game (engines started afresh
each game), or with --reuse one xboard run for the whole match (each engine started once and
reused for every game, as xboard does by default); colours alternating, each opening of the
set played with both colours. Prints progress as it goes and a summary at the end: wins,
draws, losses, score, Elo difference with its 95% margin, and the games lost by illegal move,
crash or time forfeit. Writes the PGN, xboard's debug logs and the engines' exit statuses to
the output folder.
"""

import argparse
import math
import os
import re
import shlex
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_ENGINE = os.path.join(ROOT, "build", "release", "bitrook")
DEFAULT_UCI_ENGINE = os.path.join(ROOT, "build", "release", "bitrook-uci")
# The programs of this project; one of them as the opponent has its exit status kept too.
OWN_ENGINES = ("bitrook", "bitrook-uci")
OPENINGS = os.path.join(ROOT, "tools", "openings.fen")
RUN_ENGINE = os.path.join(ROOT, "tools", "run-engine")

XBOARD_OPTIONS = [
    "-noGUI", "-popupExitMessage", "false", "-popupMoveErrors", "false",
    "-saveSettingsOnExit", "false", "-ponderNextMove", "false", "-matchPause", "500",
    "-autoCallFlag", "true", "-testClaims", "true", "-checkMates", "true",
    "-materialDraws", "true", "-soundMove", "", "-debugMode", "true",
]


def engine_name(command):
    base = os.path.basename(shlex.split(command)[0])
    return base or command


def engine_command(words, status_file, uci, log_file=None):
    """The xboard engine command that runs `words` (a program and its arguments) and appends
    its exit status to the status file; a UCI engine runs under polyglot, whose own exit
    status is kept as well, and which logs its exchanges with the engine to `log_file`. Every
    word is quoted, so that a path may hold a blank."""
    run = shlex.join([RUN_ENGINE, status_file, *words])
    if not uci:
        return run
    log = ["-log", "true", "-lf", log_file] if log_file else []
    # xboard splits its engine command at blanks but keeps a quoted word whole (one level of
    # quotes only): the polyglot command, quoted inside with single quotes, goes in double.
    return shlex.join([RUN_ENGINE, status_file, "polyglot", "-noini", *log, "-ec"]) + f' "{run}"'


def read_openings(path):
    with open(path) as f:
        return [line.strip() for line in f if line.strip() and not line.startswith("#")]


def parse_game(text):
    """Returns (white, black, result, termination comment) of one game's PGN text."""
    tags = dict(re.findall(r'^\[(\w+) "(.*)"\]', text, re.M))
    if "Result" not in tags:
        return None
    body = text.split("\n\n", 1)[-1]
    comments = re.findall(r"\{([^}]*)\}", body)
    termination = comments[-1] if comments else ""
    # The last comment is the termination reason when it stands right before the result.
    if not re.search(r"\{[^}]*\}\s*(1-0|0-1|1/2-1/2|\*)\s*$", body.strip()):
        termination = ""
    return tags.get("White", "?"), tags.get("Black", "?"), tags["Result"], termination


def parse_pgn(path):
    """Returns the games of the PGN file at path, in order (an empty list without one)."""
    try:
        with open(path, errors="replace") as f:
            text = f.read()
    except OSError:
        return []
    chunks = re.split(r"\n(?=\[Event )", text.strip())
    return [game for game in (parse_game(chunk) for chunk in chunks if chunk.strip()) if game]


def classify_loss(termination, statuses):
    """Why our engine's side lost: 'illegal', 'crash', 'time' or None (an ordinary loss)."""
    t = termination.lower()
    if any(s not in ("0",) for s in statuses):
        return "crash"
    if "illegal" in t or ("false" in t and "claim" in t):
        return "illegal"
    if "time" in t or "flag" in t:
        return "time"
    if "crash" in t or "exit" in t or "terminat" in t or "died" in t:
        return "crash"
    return None


def elo(score):
    score = min(max(score, 1e-6), 1 - 1e-6)
    return -400 * math.log10(1 / score - 1)


def elo_with_margin(wins, draws, losses):
    n = wins + draws + losses
    if n == 0:
        return 0.0, 0.0
    p = (wins + 0.5 * draws) / n
    variance = (wins * (1 - p) ** 2 + draws * (0.5 - p) ** 2 + losses * p ** 2) / n
    sigma = math.sqrt(variance / n)
    low, high = p - 1.96 * sigma, p + 1.96 * sigma
    return elo(p), (elo(high) - elo(low)) / 2


def follow_moves(log_path, seen, prefix, names):
    """Prints the moves that appeared in xboard's debug log since the last call; `names` maps
    xboard's "first" and "second" engine to what is shown."""
    try:
        with open(log_path, errors="replace") as f:
            lines = f.readlines()
    except OSError:
        return seen
    for line in lines[seen:]:
        m = re.search(r"<(first|second)\s*: move (\S+)", line)
        if m:
            print(f"{prefix}{names[m.group(1)]}: {m.group(2)}", flush=True)
    return len(lines)


def play(args, tag, games, opening_index, bitrook_white, out):
    """Runs xboard for `games` games (engines reused across them when more than one) and
    returns (the games of its PGN, bitrook's exit statuses, the PGN path)."""
    pgn = os.path.join(out, tag + ".pgn")
    log = os.path.join(out, tag + ".debug.log")
    status_file = os.path.join(out, tag + ".status")
    for path in (pgn, log, status_file, os.path.join(out, tag + ".polyglot.log"),
                 os.path.join(out, tag + ".opponent.polyglot.log")):
        if os.path.exists(path):
            os.remove(path)
    bitrook = engine_command([args.engine], status_file, args.engine_uci,
                             os.path.join(out, tag + ".polyglot.log"))
    opponent = args.opponent
    opponent_log = os.path.join(out, tag + ".opponent.polyglot.log")
    if args.opponent_is_own:
        opponent = engine_command([args.opponent], status_file, args.opponent_uci, opponent_log)
    elif args.opponent_uci:
        opponent = engine_command(shlex.split(args.opponent), status_file, True, opponent_log)
    first, second = (bitrook, opponent) if bitrook_white else (opponent, bitrook)
    # The PGN names: bitrook reports no name of its own, and its command is the wrapper's.
    opponent_name = args.opponent_name
    first_name, second_name = ((args.name, opponent_name) if bitrook_white
                               else (opponent_name, args.name))
    reuse = "true" if games > 1 else "false"
    command = ["xvfb-run", "-a", "xboard", *XBOARD_OPTIONS,
               "-reuseFirst", reuse, "-reuseSecond", reuse,
               "-fcp", first, "-fd", out, "-scp", second, "-sd", out,
               "-fn", first_name, "-sn", second_name,
               "-mg", str(games), "-sgf", pgn, "-nameOfDebugFile", log]
    if args.st:
        command += ["-st", args.st]
    elif args.mps:
        command += ["-mps", str(args.mps), "-tc", args.tc]
    else:
        command += ["-tc", args.tc, "-inc", str(args.inc)]
    if args.ponder:
        # Given later, the option overrides the fixed setting above.
        command += ["-ponderNextMove", "true"]
    if opening_index is not None:
        command += ["-loadPositionFile", args.openings, "-loadPositionIndex", str(opening_index)]
    env = dict(os.environ)
    env["PATH"] = env.get("PATH", "") + ":/usr/games"
    proc = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            env=env, cwd=out)
    # The first engine plays white (of the first game, when xboard alternates the colours).
    if games > 1:
        names = {"first": first_name, "second": second_name}
    else:
        names = {"first": f"white ({first_name})", "second": f"black ({second_name})"}
    seen = 0
    deadline = time.time() + args.game_timeout * games
    while proc.poll() is None:
        if args.show_moves:
            seen = follow_moves(log, seen, "    ", names)
        if time.time() > deadline:
            proc.kill()
            break
        time.sleep(0.5)
    if args.show_moves:
        follow_moves(log, seen, "    ", names)
    statuses = []
    if os.path.exists(status_file):
        with open(status_file) as f:
            statuses = [line.strip() for line in f if line.strip()]
    return parse_pgn(pgn), statuses, pgn


def game_outcome(game, statuses, bitrook_white):
    """Returns (outcome, reason, why it counts as a failure or None) from bitrook's side."""
    crashed = any(s != "0" for s in statuses)
    if game is None or game[2] == "*":
        return ("crash", "", "crash") if crashed else ("unfinished", "", None)
    result, reason = game[2], game[3]
    if result == "1/2-1/2":
        outcome = "draw"
    elif (result == "1-0") == bitrook_white:
        outcome = "win"
    else:
        return "loss", reason, classify_loss(reason, statuses)
    # An exit other than 0 (of bitrook, or of polyglot) is a crash, whoever won.
    return outcome, reason, "crash" if crashed else None


def append_pgn(pgn, all_pgn):
    if os.path.exists(pgn):
        with open(pgn, errors="replace") as src, open(all_pgn, "a") as dst:
            dst.write(src.read().rstrip() + "\n\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--games", type=int, default=20, help="number of games (default 20)")
    parser.add_argument("--opponent", default="fairymax",
                        help="opponent's engine command (default fairymax)")
    parser.add_argument("--opponent-uci", action="store_true",
                        help="the opponent speaks UCI: run it through polyglot (bitrook-uci is"
                             " recognised by its name)")
    parser.add_argument("--engine", default=None,
                        help="our engine's binary: bitrook (the default) or bitrook-uci")
    parser.add_argument("--uci", action="store_true",
                        help="play bitrook-uci, through polyglot, instead of bitrook")
    parser.add_argument("--tc", default="0:10", help="base time as M:SS (default 0:10)")
    parser.add_argument("--inc", type=float, default=0.1, help="increment in seconds (default 0.1)")
    parser.add_argument("--st", help="a fixed time per move instead, as M:SS (0:01 is a second)")
    parser.add_argument("--mps", type=int, default=0,
                        help="moves per time control instead of an increment: --tc for every MPS moves")
    parser.add_argument("--ponder", action="store_true",
                        help="the engines think on the opponent's time (xboard's ponderNextMove)")
    parser.add_argument("--out", default=os.path.join(ROOT, "build", "match"),
                        help="output folder for PGN, logs and statuses")
    parser.add_argument("--openings", default=OPENINGS,
                        help="file of FEN positions to start from (default tools/openings.fen)")
    parser.add_argument("--no-openings", action="store_true",
                        help="start every game from the initial position")
    parser.add_argument("--reuse", action="store_true",
                        help="one xboard run for the match, each engine reused for every game")
    parser.add_argument("--show-moves", action="store_true", help="print the moves as they come")
    parser.add_argument("--game-timeout", type=float, default=900,
                        help="seconds after which a game is abandoned")
    args = parser.parse_args()

    default_engine = DEFAULT_UCI_ENGINE if args.uci else DEFAULT_ENGINE
    args.engine = os.path.abspath(args.engine or default_engine)
    args.name = os.path.basename(args.engine)
    args.engine_uci = args.name == "bitrook-uci"
    opponent_base = os.path.basename(shlex.split(args.opponent)[0])
    args.opponent_name = engine_name(args.opponent)
    args.opponent_is_own = opponent_base in OWN_ENGINES
    args.opponent_uci = args.opponent_uci or opponent_base == "bitrook-uci"
    if args.opponent_is_own:
        args.opponent = os.path.abspath(shlex.split(args.opponent)[0])
    os.makedirs(args.out, exist_ok=True)
    openings = [] if args.no_openings else read_openings(args.openings)
    opponent_name = args.opponent_name

    wins = draws = losses = 0
    lost = {"illegal": 0, "crash": 0, "time": 0}
    unfinished = 0
    all_pgn = os.path.join(args.out, "games.pgn")
    open(all_pgn, "w").close()
    clock = (f"{args.st} a move" if args.st else f"{args.mps} moves in {args.tc}" if args.mps
             else f"{args.tc} + {args.inc} s") + (", pondering" if args.ponder else "")
    print(f"match: {args.name} vs {opponent_name}, {args.games} games at {clock},"
          f"{' engines reused,' if args.reuse else ''} output in {args.out}", flush=True)

    def opening_of(i):
        return (i // 2) % len(openings) + 1 if openings else None

    def count(i, game, statuses):
        nonlocal wins, draws, losses, unfinished
        bitrook_white = i % 2 == 0
        outcome, reason, why = game_outcome(game, statuses, bitrook_white)
        if outcome == "win":
            wins += 1
        elif outcome == "draw":
            draws += 1
        elif outcome in ("loss", "crash"):
            losses += 1
        else:
            unfinished += 1
        if why:
            lost[why] += 1
        colour = "white" if bitrook_white else "black"
        opening = opening_of(i)
        print(f"game {i + 1} of {args.games}: {args.name} ({colour}) vs {opponent_name}"
              f"{'' if opening is None else f', opening {opening}'}: {outcome}"
              f"{' {' + reason + '}' if reason else ''}"
              f"   running score +{wins} ={draws} -{losses}", flush=True)

    if args.reuse:
        # xboard alternates the colours and, with index -2, takes each opening twice.
        played, statuses, pgn = play(args, "match", args.games, -2 if openings else None,
                                     True, args.out)
        append_pgn(pgn, all_pgn)
        # The exit statuses belong to the whole run: they are judged with the first game
        # that did not finish, or with the last game when all finished.
        judged = min(len(played), args.games - 1)
        for i in range(args.games):
            count(i, played[i] if i < len(played) else None, statuses if i == judged else [])
    else:
        for i in range(args.games):
            played, statuses, pgn = play(args, f"game-{i + 1:03d}", 1, opening_of(i),
                                         i % 2 == 0, args.out)
            append_pgn(pgn, all_pgn)
            count(i, played[0] if played else None, statuses)

    n = wins + draws + losses
    score = wins + 0.5 * draws
    difference, margin = elo_with_margin(wins, draws, losses)
    print()
    print(f"{args.name} vs {opponent_name}: {n} games, +{wins} ={draws} -{losses}")
    if n:
        print(f"score {score:g}/{n} ({100 * score / n:.1f}%)")
        if 0 < score < n:
            print(f"Elo difference {round(difference) or 0:+d} +/- {margin:.0f} (95%)")
        else:
            print("Elo difference: not defined when every game is won or every game lost")
    print(f"lost by illegal move: {lost['illegal']}, by crash: {lost['crash']},"
          f" by time forfeit: {lost['time']}; unfinished games: {unfinished}")
    print(f"PGN: {all_pgn}")
    print(f"xboard debug logs: {os.path.join(args.out, '*.debug.log')}")
    # A crash that left its game unfinished is counted once, as a crash.
    failures = lost["illegal"] + lost["crash"] + lost["time"] + unfinished
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
