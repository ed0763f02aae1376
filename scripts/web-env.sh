# Sourced by the WebAssembly scripts: emcc's optimiser is a node program that
# needs Debian's node modules (acorn), which the node on PATH does not look in.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
