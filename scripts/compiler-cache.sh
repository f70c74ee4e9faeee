# Sourced by the build scripts from the checkout's top folder. Where ccache is installed, every
# compilation goes through it, with paths taken relative to the checkout, so a fresh clone of
# sources already built elsewhere on this machine compiles only what changed.
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
fi
