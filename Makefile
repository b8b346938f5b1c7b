# Velmora: `make run` builds and starts the program, `make test` builds and
# runs every test. Both install missing Debian packages first.
# `make install` installs under PREFIX (and DESTDIR); `make package` builds
# the Debian package $(BUILD)/velmora_<version>_<arch>.deb.
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# The build's own make runs below this one: keep its directory chatter quiet.
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build program run test install package clean

all: build

deps:
	@tools/deps.sh

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

program: configure
	@cmake --build $(BUILD) -j $(JOBS) --target velmora velmora_data

run: program
	@tools/run.sh $(BUILD)/bin/velmora

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

install: program
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

package: program
	@cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
