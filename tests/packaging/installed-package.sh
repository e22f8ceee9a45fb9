# Shared by the package tests: where the package is built and the empty root
# it is installed into. Sourced, not run. Needs: build (the build folder).
out="$build/packaging/deb"
root="$out/root"
id=com.norvane.QuelvoPlayer
# The one package in $out, once install-package.sh has made it.
package() {
    ls "$out"/quelvo-player_*.deb
}
