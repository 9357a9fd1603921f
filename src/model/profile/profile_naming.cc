// Filled in by the profile-files work.
