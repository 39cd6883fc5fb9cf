# Quick start:
#   make test   install what is missing, build, and run every test: native,
#               AddressSanitizer+UBSan, ThreadSanitizer, and the Windows
#               build under Wine.
#   make demo   install what is missing, build the reference host, and run it
#               on a simulated world: scan, a wrong key, connect, a lost
#               link, reconnect, and the user's profile back at the end.
# One build:   make native | make asan | make tsan | make windows | make fuzz
# Benchmarks:  make bench (optimised native build, every *_bench executable)
# Campaign:    make campaign (every platform call of a host session failed in turn)
# Package:     make package (build/native/package/*.tar.gz, build/mingw/package/*.zip)
.PHONY: test demo deps package native asan tsan windows fuzz bench clean

JOBS ?= 2
# Wine: quiet, headless, in a throw-away prefix of this checkout; the tests
# load our simulated wlanapi.dll and iphlpapi.dll from beside them, never
# Wine's own.
export WINEPREFIX ?= $(CURDIR)/build/wineprefix
export WINEDEBUG ?= -all
export WINEDLLOVERRIDES ?= mscoree,mshtml=;winemenubuilder.exe=d;wlanapi,iphlpapi=n,b
WINESERVER := /usr/lib/wine/wineserver

test: deps native asan tsan windows fuzz

deps:
	@scripts/install-deps.sh

# Only what the host needs of the native build: the host, the plug-in, and
# the libraries they load.
demo: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS) --target wlanhost
	host/demo/run.sh build/native/bin/wlanhost

# The package for host authors, one archive per build: only what it holds
# is built (wlanhost depends on the plug-in and every library installed).
package: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS) --target wlanhost
	cd build/native && cpack
	cmake --preset mingw >/dev/null
	cmake --build --preset mingw -j $(JOBS) --target wlanhost
	cd build/mingw && cpack

define run_preset
	cmake --preset $(1) >/dev/null
	cmake --build --preset $(1) -j $(JOBS)
	ctest --preset $(1) -j $(JOBS)
endef

native:
	$(call run_preset,native)

asan:
	$(call run_preset,asan)

tsan:
	$(call run_preset,tsan)

# The wineserver is started detached so that no Wine process holds ctest's
# output pipe; the tests' "wine" fixture does the same for direct ctest runs.
windows:
	cmake --preset mingw >/dev/null
	cmake --build --preset mingw -j $(JOBS)
	mkdir -p $(WINEPREFIX)
	sh -c 'exec </dev/null >/dev/null 2>&1; $(WINESERVER) -p && /usr/lib/wine/wine64 wineboot'
	ctest --preset mingw -j $(JOBS); rc=$$?; $(WINESERVER) -k || true; exit $$rc

# The whole fault campaign: natively every platform call the session makes
# (kernel, registry, IP Helper and WLAN) failed in turn; `make test` runs the
# WLAN calls' sweep on every build.
campaign: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS) --target campaign_tests
	build/native/bin/campaign_tests --gtest_also_run_disabled_tests --gtest_filter='FaultCampaign.*'

bench:
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	set -e; for b in build/bench/bin/*_bench; do echo "== $$b"; $$b; done

# libFuzzer over the XML reader, the device-database read, the profile
# document and the WLAN device's notification handling, each bounded to
# FUZZ_SECONDS; new inputs go to the build tree, the seed corpora in the
# repository are only read.
FUZZ_SECONDS ?= 30
FUZZ_TARGETS := xml:reader devicedb:devicedb profile:profile notification:notification
fuzz:
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS) --target $(foreach t,$(FUZZ_TARGETS),$(firstword $(subst :, ,$(t)))_fuzz)
	set -e; for t in $(FUZZ_TARGETS); do \
	  bin=$${t%%:*}; corpus=$${t#*:}; mkdir -p build/fuzz/corpus/$$corpus; \
	  build/fuzz/bin/$${bin}_fuzz -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -print_final_stats=1 \
	    build/fuzz/corpus/$$corpus tests/fuzz/corpus/$$corpus; \
	done

clean:
	rm -rf build
