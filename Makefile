# For engine-testing frameworks that build with make: `make EXE=NAME` builds the release
# bitrook-uci through the CMake release preset (its compiler flags, without the test suite)
# and leaves it here as NAME; a plain `make` builds everything, as the release preset does.
# Both build on every core (`make JOBS=N` for another count).
BUILD_DIR := build/release
EXE_BUILD_DIR := build/exe
JOBS ?= $(shell nproc)

.PHONY: all
ifeq ($(EXE),)
all:
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
else
all:
	cmake --preset release -B $(EXE_BUILD_DIR) -DBITROOK_TESTS=OFF
	cmake --build $(EXE_BUILD_DIR) --target bitrook-uci -j $(JOBS)
	cp $(EXE_BUILD_DIR)/bitrook-uci $(EXE)
endif
